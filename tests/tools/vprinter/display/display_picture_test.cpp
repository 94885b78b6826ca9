// The display's picture: cells, reverse, cursor and a switched-off tube.
#include <gtest/gtest.h>

#include "tests/tools/vprinter/display/display_rig.h"
#include "tools/vprinter/display/display_picture.h"

namespace vprinter::test {
namespace {

// Counts the dots of colour c in the rectangle.
int count(const Bitmap& b, int x, int y, int w, int h, std::uint8_t c) {
  int n = 0;
  for (int j = y; j < y + h; ++j)
    for (int i = x; i < x + w; ++i) n += b.at(i, j) == c;
  return n;
}

// Cell origins: a 12 dot margin, cells 12 x 24 with 2 dots between columns
// and 6 between rows.
int cellX(int column) { return 12 + column * 14; }
int cellY(int row) { return 12 + row * 30; }

TEST(DisplayPicture, DrawsLitDotsReversedCellsAndTheCursor) {
  ScreenRig s;
  s.send("H" + hex("1F7201") + "I" + hex("1F7200 1F4301"));
  Bitmap b = displayBitmap(s.screen);
  EXPECT_EQ(b.w, 12 * 2 + 20 * 14 - 2);
  EXPECT_EQ(b.h, 12 * 2 + 2 * 30 - 6);
  EXPECT_EQ(count(b, 0, 0, b.w, 12, 0), b.w * 12);  // the margin is bare tube
  int lit = count(b, cellX(0), cellY(0), 12, 24, 1);
  EXPECT_GT(lit, 20);
  // The reversed cell glows where the glyph is not.
  EXPECT_GT(count(b, cellX(1), cellY(0), 12, 24, 1), 12 * 24 / 2);
  // A blank cell has no lit dot, the cursor cell only its underline.
  EXPECT_EQ(count(b, cellX(5), cellY(1), 12, 24, 1), 0);
  EXPECT_EQ(count(b, cellX(2), cellY(0), 12, 24, 1), 12 * 2);
  EXPECT_EQ(count(b, cellX(2), cellY(0) + 22, 12, 2, 1), 12 * 2);
}

TEST(DisplayPicture, ASwitchedOffTubeShowsNothingAndDimmingChangesOnlyTheGlow) {
  ScreenRig s;
  s.send("TOTAL 5.50" + hex("1F45FF"));
  Bitmap off = displayBitmap(s.screen);
  EXPECT_EQ(count(off, 0, 0, off.w, off.h, 1), 0);
  s.send(hex("1F4500"));
  std::string bright = displayPng(s.screen);
  s.send(hex("1F5801"));
  std::string dim = displayPng(s.screen);
  ASSERT_FALSE(bright.empty());
  EXPECT_NE(bright, dim);
  EXPECT_EQ(bright.size(), dim.size());  // the same dots, another palette
}

}  // namespace
}  // namespace vprinter::test
