// The runs a skinned window's region is cut from.
#include "setup/skin/transparent_runs.h"

#include <gtest/gtest.h>

using namespace skin;

namespace {

constexpr uint32_t G = 0x0000FF00;  // pure green
constexpr uint32_t W = 0x00FFFFFF;

bool operator==(const skin::Run& a, const skin::Run& b) { return a.left == b.left && a.right == b.right && a.y == b.y; }

TEST(TransparentRunsTest, BandsHoldSeventeenEitherSideWithinTheByte) {
  EXPECT_EQ(BandOf(0).low, 0);
  EXPECT_EQ(BandOf(0).high, 17);
  EXPECT_EQ(BandOf(16).low, 0);
  EXPECT_EQ(BandOf(17).low, 0);
  EXPECT_EQ(BandOf(18).low, 1);
  EXPECT_EQ(BandOf(238).high, 255);
  EXPECT_EQ(BandOf(255).low, 238);
  EXPECT_EQ(BandOf(255).high, 255);
}

TEST(TransparentRunsTest, RunsGoRowByRowLeftToRightUpToTheRowsEnd) {
  const uint32_t pixels[] = {
      G, G, W, G,  //
      W, W, W, W,  //
      W, G, G, G,  //
  };
  const std::vector<skin::Run> runs = TransparentRuns(pixels, 4, 3, 0, 255, 0);
  const std::vector<skin::Run> expected{{0, 2, 0}, {3, 4, 0}, {1, 4, 2}};
  ASSERT_EQ(runs.size(), expected.size());
  for (size_t i = 0; i < runs.size(); ++i) EXPECT_TRUE(runs[i] == expected[i]) << i;
}

TEST(TransparentRunsTest, NearGreenCountsAndOtherColoursDoNot) {
  const uint32_t pixels[] = {0x0011EE11, 0x0012EE00, 0x0000ED00, 0x00000000};
  const std::vector<skin::Run> runs = TransparentRuns(pixels, 4, 1, 0, 255, 0);
  ASSERT_EQ(runs.size(), 1u);
  EXPECT_TRUE(runs[0] == (skin::Run{0, 1, 0}));
  EXPECT_TRUE(TransparentRuns(pixels + 3, 1, 1, 0, 255, 0).empty()) << "no green pixel: nothing is cut";
}

}  // namespace
