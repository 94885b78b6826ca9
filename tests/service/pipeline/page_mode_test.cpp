// The page header and the print area text.
#include <gtest/gtest.h>

#include "pipeline_test_util.h"
#include "service/pipeline/page/page_mode.h"

namespace {

TEST(PageMode, HeaderSelectsPageModeAndDirection) {
  EXPECT_EQ(HexOf(BuildPageModeHeader(1)), "1B 4C 1B 54 00");
  EXPECT_EQ(HexOf(BuildPageModeHeader(4)), "1B 4C 1B 54 03");
  EXPECT_EQ(HexOf(BuildPageModeHeader(0)), "1B 4C 1B 54 00");
}

TEST(PageMode, PrintAreaFieldsAreReadAsAtoiReadsThem) {
  int32_t f[4] = {9, 9, 9, 9};
  ASSERT_TRUE(ParsePrintArea(" 10,-20x, 512 ,99999999999", f));
  EXPECT_EQ(std::vector<int32_t>(f, f + 4), (std::vector<int32_t>{10, -20, 512, 2147483647}));
  ASSERT_TRUE(ParsePrintArea(",,,", f));
  EXPECT_EQ(std::vector<int32_t>(f, f + 4), (std::vector<int32_t>{0, 0, 0, 0}));
  f[0] = 7;
  EXPECT_FALSE(ParsePrintArea("0,0,100", f));
  EXPECT_EQ(f[0], 7);
}

}  // namespace
