#include "tools/vprinter/display/display_picture.h"

#include "tools/vprinter/render/font.h"
#include "tools/vprinter/render/png.h"

namespace vprinter {
namespace {

constexpr int kMargin = 12, kCellGap = 2, kRowGap = 6, kCursorDots = 2;
constexpr Rgb kTube{11, 20, 16}, kGlow{96, 255, 208}, kUnlit{21, 34, 28};

// Each cell's glyph, inked dots in `dot`, the rest in `paper`.
void drawCell(Bitmap& b, int x, int y, const Bitmap& g, std::uint8_t dot, std::uint8_t paper) {
  for (int gy = 0; gy < g.h; ++gy)
    for (int gx = 0; gx < g.w; ++gx) b.set(x + gx, y + gy, g.at(gx, gy) ? dot : paper);
}

std::uint8_t dim(std::uint8_t full, std::uint8_t floor, int percent) {
  return std::uint8_t(floor + (full - floor) * percent / 100);
}

}  // namespace

Bitmap displayBitmap(const Screen& screen) {
  FontMetrics m = fontMetrics(0);
  int cw = m.width + kCellGap, ch = m.height + kRowGap;
  Bitmap b(2 * kMargin + screen.columns() * cw - kCellGap, 2 * kMargin + screen.rows() * ch - kRowGap);
  for (int r = 0; r < screen.rows(); ++r)
    for (int col = 0; col < screen.columns(); ++col) {
      int x = kMargin + col * cw, y = kMargin + r * ch;
      const Cell& c = screen.cell(r, col);
      bool reverse = c.reverse && screen.lit();
      if (!screen.lit()) {
        b.fill(x, y, m.width, m.height, 2);
        continue;
      }
      drawCell(b, x, y, glyph(0, decodeByte(c.byte, c.table, c.intl)), reverse ? 2 : 1, reverse ? 1 : 2);
      if (screen.cursorShown() && r == screen.cursorRow() && col == screen.cursorColumn())
        b.fill(x, y + m.height - kCursorDots, m.width, kCursorDots, reverse ? 2 : 1);
    }
  return b;
}

std::string displayPng(const Screen& screen) {
  int p = screen.brightness();
  Rgb glow{dim(kGlow.r, kUnlit.r, p), dim(kGlow.g, kUnlit.g, p), dim(kGlow.b, kUnlit.b, p)};
  return encodePng(displayBitmap(screen), Palette{kTube, glow, kUnlit, kTube});
}

}  // namespace vprinter
