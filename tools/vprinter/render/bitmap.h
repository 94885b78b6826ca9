// A small indexed bitmap: 0 is paper (white), 1 the first colour (black),
// 2 the second (red), 3 a third.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vprinter {

// Bitmaps above this many dots come out empty: print data can describe
// images far larger than any paper, and those are not drawn.
constexpr std::size_t kMaxBitmapDots = std::size_t(1) << 26;

struct Bitmap {
  int w = 0, h = 0;
  std::vector<std::uint8_t> px;

  Bitmap() = default;
  Bitmap(int width, int height) {
    if (width <= 0 || height <= 0 || std::size_t(width) * std::size_t(height) > kMaxBitmapDots) return;
    w = width;
    h = height;
    px.assign(std::size_t(w) * h, 0);
  }

  bool empty() const { return w == 0 || h == 0; }
  std::uint8_t at(int x, int y) const { return px[std::size_t(y) * w + x]; }
  void set(int x, int y, std::uint8_t c) {
    if (x >= 0 && y >= 0 && x < w && y < h) px[std::size_t(y) * w + x] = c;
  }
  void fill(int x, int y, int fw, int fh, std::uint8_t c);
  // Copies the inked pixels of src with its top-left at (x, y), clipped.
  void blit(const Bitmap& src, int x, int y);
  // Lowest row holding ink, plus one (0 when blank).
  int usedHeight() const;
  bool blank() const { return usedHeight() == 0; }
};

Bitmap rotate180(const Bitmap& b);
Bitmap rotateCw(const Bitmap& b);   // a quarter turn clockwise
Bitmap rotateCcw(const Bitmap& b);  // a quarter turn counter-clockwise
Bitmap scale(const Bitmap& b, int sx, int sy);
// Rows of bits, MSB first, `bytesPerRow` bytes per row (missing data blank).
Bitmap fromRows(const std::uint8_t* data, std::size_t size, int width, int bytesPerRow, int rows,
                std::uint8_t colour);
// Columns of bits, MSB at the top, `bytesPerColumn` bytes per column.
Bitmap fromColumns(const std::uint8_t* data, std::size_t size, int columns, int bytesPerColumn,
                   std::uint8_t colour);

}  // namespace vprinter
