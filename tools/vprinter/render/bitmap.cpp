#include "tools/vprinter/render/bitmap.h"

#include <algorithm>

namespace vprinter {

void Bitmap::fill(int x, int y, int fw, int fh, std::uint8_t c) {
  int x0 = std::max(x, 0), y0 = std::max(y, 0), x1 = std::min(x + fw, w), y1 = std::min(y + fh, h);
  for (int yy = y0; yy < y1; ++yy)
    for (int xx = x0; xx < x1; ++xx) px[std::size_t(yy) * w + xx] = c;
}

void Bitmap::blit(const Bitmap& src, int x, int y) {
  int x0 = std::max(0, -x), y0 = std::max(0, -y);
  int x1 = std::min(src.w, w - x), y1 = std::min(src.h, h - y);
  for (int sy = y0; sy < y1; ++sy)
    for (int sx = x0; sx < x1; ++sx) {
      std::uint8_t c = src.at(sx, sy);
      if (c) px[std::size_t(y + sy) * w + (x + sx)] = c;
    }
}

int Bitmap::usedHeight() const {
  for (int y = h - 1; y >= 0; --y)
    for (int x = 0; x < w; ++x)
      if (at(x, y)) return y + 1;
  return 0;
}

Bitmap rotate180(const Bitmap& b) {
  Bitmap r(b.w, b.h);
  for (int y = 0; y < b.h; ++y)
    for (int x = 0; x < b.w; ++x) r.px[std::size_t(b.h - 1 - y) * b.w + (b.w - 1 - x)] = b.at(x, y);
  return r;
}

Bitmap rotateCw(const Bitmap& b) {
  Bitmap r(b.h, b.w);
  for (int y = 0; y < b.h; ++y)
    for (int x = 0; x < b.w; ++x) r.set(b.h - 1 - y, x, b.at(x, y));
  return r;
}

Bitmap rotateCcw(const Bitmap& b) {
  Bitmap r(b.h, b.w);
  for (int y = 0; y < b.h; ++y)
    for (int x = 0; x < b.w; ++x) r.set(y, b.w - 1 - x, b.at(x, y));
  return r;
}

Bitmap scale(const Bitmap& b, int sx, int sy) {
  if (sx <= 1 && sy <= 1) return b;
  if (std::size_t(b.w) * sx * std::size_t(b.h) * sy > kMaxBitmapDots) return Bitmap();
  Bitmap r(b.w * sx, b.h * sy);
  for (int y = 0; y < r.h; ++y)
    for (int x = 0; x < r.w; ++x) r.px[std::size_t(y) * r.w + x] = b.at(x / sx, y / sy);
  return r;
}

Bitmap fromRows(const std::uint8_t* data, std::size_t size, int width, int bytesPerRow, int rows,
                std::uint8_t colour) {
  Bitmap b(width, rows);
  if (b.empty()) return b;
  for (int y = 0; y < rows; ++y)
    for (int x = 0; x < width; ++x) {
      std::size_t i = std::size_t(y) * bytesPerRow + x / 8;
      if (i < size && (data[i] & (0x80 >> (x % 8)))) b.px[std::size_t(y) * width + x] = colour;
    }
  return b;
}

Bitmap fromColumns(const std::uint8_t* data, std::size_t size, int columns, int bytesPerColumn,
                   std::uint8_t colour) {
  Bitmap b(columns, bytesPerColumn * 8);
  if (b.empty()) return b;
  for (int x = 0; x < columns; ++x)
    for (int y = 0; y < b.h; ++y) {
      std::size_t i = std::size_t(x) * bytesPerColumn + y / 8;
      if (i < size && (data[i] & (0x80 >> (y % 8)))) b.px[std::size_t(y) * columns + x] = colour;
    }
  return b;
}

}  // namespace vprinter
