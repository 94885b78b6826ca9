#include <gtest/gtest.h>

#include <limits>

#include "common/opos.h"
#include "service/pipeline/print_state.h"

namespace {

using opos::PTR_MM_DOTS;
using opos::PTR_MM_ENGLISH;
using opos::PTR_MM_METRIC;
using opos::PTR_MM_TWIPS;

TEST(UnitTables, StartWithTheValuesForLowResolution) {
  const PrintState s;
  EXPECT_EQ(s.units.verticalDotsToUnits.Convert(30, PTR_MM_TWIPS), 450);  // T = 15
  EXPECT_EQ(s.units.horizontalDotsToUnits.Convert(208, PTR_MM_ENGLISH), 1000);
}

TEST(UnitTables, VerticalConversionsBothWays) {
  const UnitTables u = MakeUnitTables(180, 180);
  EXPECT_EQ(u.verticalDotsToUnits.Convert(30, PTR_MM_DOTS), 30);
  EXPECT_EQ(u.verticalDotsToUnits.Convert(30, PTR_MM_TWIPS), 240);
  EXPECT_EQ(u.verticalDotsToUnits.Convert(30, PTR_MM_ENGLISH), 167);
  EXPECT_EQ(u.verticalDotsToUnits.Convert(30, PTR_MM_METRIC), 423);
  EXPECT_EQ(u.verticalUnitsToDots.Convert(240, PTR_MM_TWIPS), 30);
  EXPECT_EQ(u.verticalUnitsToDots.Convert(167, PTR_MM_ENGLISH), 30);
  EXPECT_EQ(u.verticalUnitsToDots.Convert(423, PTR_MM_METRIC), 30);
}

TEST(UnitTables, HorizontalConversionsUseTheWidthResolution) {
  const UnitTables u = MakeUnitTables(180, 203);
  EXPECT_EQ(u.horizontalDotsToUnits.Convert(203, PTR_MM_TWIPS), 1440);
  EXPECT_EQ(u.horizontalUnitsToDots.Convert(1440, PTR_MM_TWIPS), 203);
  EXPECT_EQ(u.horizontalUnitsToDots.Convert(1000, PTR_MM_ENGLISH), 203);
  EXPECT_EQ(u.horizontalUnitsToDots.Convert(2540, PTR_MM_METRIC), 203);
}

// One inch of feed is the resolution in dots, twice that in half dots, in
// every unit.
TEST(UnitTables, FeedConvertsEveryUnitToHalfDots) {
  const UnitTables u = MakeUnitTables(180, 180);
  EXPECT_EQ(u.feedUnitsToHalfDots.Convert(180, PTR_MM_DOTS), 360);
  EXPECT_EQ(u.feedUnitsToHalfDots.Convert(1440, PTR_MM_TWIPS), 360);
  EXPECT_EQ(u.feedUnitsToHalfDots.Convert(1000, PTR_MM_ENGLISH), 360);
  EXPECT_EQ(u.feedUnitsToHalfDots.Convert(2540, PTR_MM_METRIC), 360);
}

TEST(UnitTables, MissingResolutionFallsBackInsteadOfDividingByZero) {
  for (int32_t dpi : {0, -5}) {
    const UnitTables u = MakeUnitTables(dpi, dpi);
    const UnitTables d = MakeUnitTables(kDefaultDpi, kDefaultDpi);
    for (int32_t mode = PTR_MM_DOTS; mode <= PTR_MM_METRIC; ++mode) {
      EXPECT_EQ(u.verticalUnitsToDots.Convert(1000, mode), d.verticalUnitsToDots.Convert(1000, mode));
      EXPECT_EQ(u.horizontalDotsToUnits.Convert(1000, mode), d.horizontalDotsToUnits.Convert(1000, mode));
      EXPECT_EQ(u.feedUnitsToHalfDots.Convert(1000, mode), d.feedUnitsToHalfDots.Convert(1000, mode));
    }
  }
  // Above 1440 dpi a twip is less than a dot: the twips row still divides.
  const UnitTables fine = MakeUnitTables(2000, 2000);
  EXPECT_EQ(fine.verticalUnitsToDots.Convert(100, PTR_MM_TWIPS), 100);
  EXPECT_EQ(fine.feedUnitsToHalfDots.Convert(100, PTR_MM_TWIPS), 200);
}

TEST(UnitTables, LargeValuesSaturateAndUnknownModesConvertAsDots) {
  const UnitTables u = MakeUnitTables(180, 180);
  const int32_t max = std::numeric_limits<int32_t>::max();
  EXPECT_EQ(u.verticalDotsToUnits.Convert(max, PTR_MM_METRIC), max);
  EXPECT_EQ(u.verticalDotsToUnits.Convert(std::numeric_limits<int32_t>::min(), PTR_MM_METRIC),
            std::numeric_limits<int32_t>::min());
  EXPECT_EQ(u.verticalDotsToUnits.Convert(30, 0), 30);
  EXPECT_EQ(u.verticalDotsToUnits.Convert(30, 9), 30);
}

}  // namespace
