// Bar code commands by symbology: validation, module width, set-up bytes.
#include <gtest/gtest.h>

#include "common/opos.h"
#include "pipeline_test_util.h"
#include "service/pipeline/barcode/bar_code.h"

namespace {

using namespace opos;

const char kSetUp[] = "00 00 1B 61 00 1D 48 00 1D 66 00";

// Hex of the linear symbol, or "refused".
std::string Linear(std::string_view data, int32_t symbology, int32_t width = 400, int32_t height = 162,
                   BarCodeLayout layout = {}) {
  std::string out;
  if (BuildLinearBarCode(data, symbology, height, width, layout, &out) != OPOS_SUCCESS) {
    EXPECT_EQ(out, "");
    return "refused";
  }
  return HexOf(out);
}

std::string Tail(const std::string& hex, size_t bytes) { return hex.substr(hex.size() - (bytes * 3 - 1)); }

TEST(BarCode, UpcAPicksTheWidestModuleThatFits) {
  // 106 dots per module: 212, 318, 424 against 400.
  EXPECT_EQ(Linear("01234567890", PTR_BCS_UPCA),
            std::string(kSetUp) + " 1D 68 A2 1D 77 03 1D 6B 41 0B 30 31 32 33 34 35 36 37 38 39 30");
  EXPECT_EQ(Tail(Linear("01234567890", PTR_BCS_UPCA, 100), 18).substr(0, 8), "1D 77 02");  // nothing fits
  EXPECT_EQ(Linear("01234567890", PTR_BCS_UPCA, 400, 300).substr(32, 9), " 1D 68 2C");
  EXPECT_EQ(Linear("0123456789", PTR_BCS_UPCA), "refused");
  EXPECT_EQ(Linear("0123456789A", PTR_BCS_UPCA), "refused");
}

TEST(BarCode, SetUpCarriesAlignmentTextPositionAndFont) {
  EXPECT_EQ(Linear("1234567", PTR_BCS_EAN8, 400, 162, {PTR_BC_RIGHT, PTR_BC_TEXT_BELOW, 1}).substr(0, 32),
            "00 00 1B 61 02 1D 48 02 1D 66 01");
  EXPECT_EQ(Linear("1234567", PTR_BCS_EAN8, 400, 162, {PTR_BC_CENTER, PTR_BC_TEXT_ABOVE, 0}).substr(0, 32),
            "00 00 1B 61 01 1D 48 01 1D 66 00");
  EXPECT_EQ(Linear("1234567", PTR_BCS_EAN8, 400, 162, {100, PTR_BC_TEXT_NONE, 0}).substr(0, 32), kSetUp);
}

TEST(BarCode, LengthAndCharacterRules) {
  EXPECT_EQ(Linear("12345678901", PTR_BCS_UPCE), "refused");  // must start with 0
  EXPECT_NE(Linear("02345678901", PTR_BCS_UPCE), "refused");
  EXPECT_NE(Linear("123456789012", PTR_BCS_EAN13), "refused");
  EXPECT_EQ(Linear("12345678901", PTR_BCS_EAN13), "refused");
  EXPECT_EQ(Linear("12345", PTR_BCS_ITF), "refused");  // odd
  EXPECT_NE(Linear("123456", PTR_BCS_ITF), "refused");
  EXPECT_EQ(Linear("1234A", PTR_BCS_Codabar), "refused");  // starts with A to D
  EXPECT_NE(Linear("A12$-+./:B", PTR_BCS_Codabar), "refused");
  EXPECT_EQ(Linear("abc", PTR_BCS_Code39), "refused");
  EXPECT_NE(Linear("AB 12$%+-./", PTR_BCS_Code39), "refused");
  EXPECT_EQ(Linear("\x80", PTR_BCS_Code93), "refused");
  EXPECT_EQ(Linear("A", PTR_BCS_Code128), "refused");
  EXPECT_EQ(Linear(std::string(256, 'A'), PTR_BCS_Code39), "refused");
  EXPECT_EQ(Linear("", PTR_BCS_Code39), "refused");
  for (int32_t other : {int32_t{PTR_BCS_TF}, int32_t{PTR_BCS_MAXICODE}, int32_t{PTR_BCS_PDF417}, 0, 501}) {
    EXPECT_EQ(Linear("123456", other), "refused") << other;
  }
}

TEST(BarCode, Code128NamesItsCodeSet) {
  EXPECT_EQ(Tail(Linear("ABC", PTR_BCS_Code128), 9), "1D 6B 49 05 7B 41 41 42 43");
  EXPECT_EQ(Tail(Linear("{BAb", PTR_BCS_Code128), 8), "1D 6B 49 04 7B 42 41 62");
  // Lower-case letters need code set B; control characters set A; a brace
  // in set B is doubled.
  EXPECT_EQ(Tail(Linear("No1", PTR_BCS_Code128), 9), "1D 6B 49 05 7B 42 4E 6F 31");
  EXPECT_EQ(Tail(Linear("a\tb{", PTR_BCS_Code128), 15), "1D 6B 49 0B 7B 42 61 7B 41 09 7B 42 62 7B 7B");
  // A prefix may not push the length past one byte.
  EXPECT_NE(Linear(std::string(253, 'A'), PTR_BCS_Code128, 100000), "refused");
  EXPECT_EQ(Linear(std::string(254, 'A'), PTR_BCS_Code128), "refused");
}

TEST(BarCode, ModuleWidthEstimates) {
  // Module n: UPC-E (7 * 5 + 29) n; Code 93 (9L + 37) n; Code 128 (11L + 35) n.
  EXPECT_EQ(ChooseModuleWidth(PTR_BCS_UPCE, 11, 0, 256), 4);
  EXPECT_EQ(ChooseModuleWidth(PTR_BCS_Code93, 3, 0, 5 * 64), 5);
  EXPECT_EQ(ChooseModuleWidth(PTR_BCS_Code128, 3, 0, 6 * 68 + 5), 6);
  // Element widths in mm, then dots: ITF of 6 is 131 dots at module 2 and
  // 194 at 3; Code 39 of 2 is 81 and 126; Codabar A+B (two digit-like) 63
  // and 98.
  EXPECT_EQ(ChooseModuleWidth(PTR_BCS_ITF, 6, 0, 194), 3);
  EXPECT_EQ(ChooseModuleWidth(PTR_BCS_ITF, 6, 0, 193), 2);
  EXPECT_EQ(ChooseModuleWidth(PTR_BCS_Code39, 2, 0, 126), 3);
  EXPECT_EQ(ChooseModuleWidth(PTR_BCS_Code39, 2, 0, 125), 2);
  EXPECT_EQ(ChooseModuleWidth(PTR_BCS_Codabar, 3, 2, 98), 3);
  EXPECT_EQ(ChooseModuleWidth(PTR_BCS_Codabar, 3, 2, 97), 2);
  // A slack of 1000 dots or more is never chosen.
  EXPECT_EQ(ChooseModuleWidth(PTR_BCS_Code128, 2, 0, 2000), 2);
  EXPECT_EQ(ChooseModuleWidth(PTR_BCS_Code128, 2, 0, -5), 2);
}

TEST(BarCode, TwoDimensionalSymbols) {
  std::string out;
  ASSERT_EQ(BuildTwoDimensionalCode("0123456789", PTR_BCS_PDF417, {}, &out), OPOS_SUCCESS);
  EXPECT_EQ(HexOf(out), std::string(kSetUp) +
                            " 1D 28 6B 03 00 30 41 00 1D 28 6B 03 00 30 42 00 1D 28 6B 03 00 30 43 03"
                            " 1D 28 6B 03 00 30 44 03 1D 28 6B 0D 00 30 50 30 30 31 32 33 34 35 36 37 38 39"
                            " 1D 28 6B 03 00 30 51 30");
  out.clear();
  ASSERT_EQ(BuildTwoDimensionalCode("R1", kSymbologyQrCode, {}, &out), OPOS_SUCCESS);
  EXPECT_EQ(HexOf(out), std::string(kSetUp) +
                            " 1D 28 6B 04 00 31 41 32 00 1D 28 6B 03 00 31 43 03"
                            " 1D 28 6B 05 00 31 50 30 52 31 1D 28 6B 03 00 31 51 30");
  out.clear();
  ASSERT_EQ(BuildTwoDimensionalCode(std::string(300, 'x'), kSymbologyQrCode, {}, &out), OPOS_SUCCESS);
  EXPECT_NE(HexOf(out).find("1D 28 6B 2F 01 31 50 30"), std::string::npos);
  EXPECT_EQ(BuildTwoDimensionalCode(std::string(65533, 'x'), kSymbologyQrCode, {}, &out), OPOS_E_ILLEGAL);
  EXPECT_EQ(BuildTwoDimensionalCode("x", PTR_BCS_MAXICODE, {}, &out), OPOS_E_ILLEGAL);
}

}  // namespace
