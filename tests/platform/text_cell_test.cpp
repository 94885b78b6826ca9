// What both text layouts share: the clean-up of code points and the cell.
#include "platform/any/text_cell.h"

#include <gtest/gtest.h>

namespace {

TEST(TextCell, OnlyNonScalarValuesAreReplaced) {
  const std::u32string in = {0, U'a', 0xD7FF, 0xD800, 0xDBFF, 0xDC00, 0xDFFF, 0xE000, 0xFFFF, 0x10FFFF, 0x110000, 0xFFFFFFFF};
  const std::u32string out = {0, U'a', 0xD7FF, 0xFFFD, 0xFFFD, 0xFFFD, 0xFFFD, 0xE000, 0xFFFF, 0x10FFFF, 0xFFFD, 0xFFFD};
  EXPECT_EQ(platform::ScalarValues(in), out);
  EXPECT_EQ(platform::ScalarValues(U""), U"");
}

TEST(TextCell, BaselineAboutFourFifthsDownAndNeverZero) {
  const struct {
    int32_t height, baseline;
  } cases[] = {{1, 1}, {2, 2}, {5, 4}, {17, 14}, {24, 19}, {32, 26}, {48, 38}, {1024, 819}};
  for (const auto& c : cases) {
    const platform::TextCell cell = platform::CellFor(c.height);
    EXPECT_EQ(cell.baseline, c.baseline) << c.height;
    EXPECT_EQ(cell.em, c.baseline) << c.height;
    EXPECT_LE(cell.baseline, c.height);
  }
}

TEST(TextCell, PicturesAreBlankCutAtTheWidestAndRefusedWhenEmpty) {
  platform::TextPicture p;
  ASSERT_TRUE(platform::StartPicture(3, 2, &p));
  EXPECT_EQ(p.dots, std::vector<uint8_t>(6, 0));
  ASSERT_TRUE(platform::StartPicture(platform::kMaxTextPictureWidth + 5, 2, &p));
  EXPECT_EQ(p.width, platform::kMaxTextPictureWidth);
  EXPECT_EQ(p.dots.size(), static_cast<size_t>(platform::kMaxTextPictureWidth) * 2);
  EXPECT_FALSE(platform::StartPicture(0, 2, &p));
  EXPECT_EQ(p.width, 0);
  EXPECT_TRUE(p.dots.empty());
  EXPECT_FALSE(platform::StartPicture(3, 0, &p));
  EXPECT_FALSE(platform::StartPicture(-1, -1, &p));
}

}  // namespace
