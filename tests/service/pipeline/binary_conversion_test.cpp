#include "service/pipeline/binary_conversion.h"

#include <gtest/gtest.h>

#include "common/opos.h"
#include "pipeline_test_util.h"

namespace {

TEST(BinaryConversion, NoneAndUnknownModesPassTextThrough) {
  const std::string text("a\x1B|bC\xFF", 6);
  EXPECT_EQ(DecodeBinaryConversion(opos::OPOS_BC_NONE, text), text);
  EXPECT_EQ(DecodeBinaryConversion(7, text), text);
  EXPECT_EQ(DecodeBinaryConversion(-1, text), text);
}

TEST(BinaryConversion, NibblePairsMakeOneByteEach) {
  EXPECT_EQ(HexOf(DecodeBinaryConversion(opos::OPOS_BC_NIBBLE, "3132")), "31 32");
  EXPECT_EQ(HexOf(DecodeBinaryConversion(opos::OPOS_BC_NIBBLE, "?0")), "F0");
  // Only the low nibble of each character counts.
  EXPECT_EQ(HexOf(DecodeBinaryConversion(opos::OPOS_BC_NIBBLE, ":;")), "AB");
  EXPECT_EQ(HexOf(DecodeBinaryConversion(opos::OPOS_BC_NIBBLE, "313")), "31");
  EXPECT_EQ(DecodeBinaryConversion(opos::OPOS_BC_NIBBLE, "3"), "");
  EXPECT_EQ(DecodeBinaryConversion(opos::OPOS_BC_NIBBLE, ""), "");
}

TEST(BinaryConversion, DecimalTriplesKeepTheLowEightBits) {
  EXPECT_EQ(HexOf(DecodeBinaryConversion(opos::OPOS_BC_DECIMAL, "065066")), "41 42");
  EXPECT_EQ(HexOf(DecodeBinaryConversion(opos::OPOS_BC_DECIMAL, "000255")), "00 FF");
  EXPECT_EQ(HexOf(DecodeBinaryConversion(opos::OPOS_BC_DECIMAL, "256")), "00");
  EXPECT_EQ(HexOf(DecodeBinaryConversion(opos::OPOS_BC_DECIMAL, "999")), "E7");
  EXPECT_EQ(HexOf(DecodeBinaryConversion(opos::OPOS_BC_DECIMAL, "06506")), "41");
  EXPECT_EQ(DecodeBinaryConversion(opos::OPOS_BC_DECIMAL, "06"), "");
}

TEST(BinaryConversion, HighBytesInTheTextAreSafe) {
  const std::string high(6, '\xFF');
  EXPECT_EQ(HexOf(DecodeBinaryConversion(opos::OPOS_BC_NIBBLE, high)), "FF FF FF");
  EXPECT_EQ(HexOf(DecodeBinaryConversion(opos::OPOS_BC_DECIMAL, high)), "81 81");
}

}  // namespace
