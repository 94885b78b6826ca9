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

// Hex of the 2D symbol, or "refused".
std::string Matrix(std::string_view data, int32_t symbology) {
  std::string out;
  if (BuildTwoDimensionalCode(data, symbology, {}, &out) != OPOS_SUCCESS) {
    EXPECT_EQ(out, "");
    return "refused";
  }
  return HexOf(out);
}

TEST(BarCode, StandardQrCodeIsThePrinterSpecificOne) {
  for (const std::string& data : {std::string("FISCAL QR 204"), std::string(), std::string(700, '\x80')}) {
    EXPECT_EQ(Matrix(data, PTR_BCS_QRCODE), Matrix(data, kSymbologyQrCode));
  }
  EXPECT_EQ(Matrix("R1", PTR_BCS_QRCODE), Matrix("R1", 501));
  EXPECT_EQ(PTR_BCS_QRCODE, 204);
  EXPECT_TRUE(IsTwoDimensional(PTR_BCS_QRCODE));
  EXPECT_FALSE(IsTwoDimensional(PTR_BCS_MAXICODE));
  EXPECT_FALSE(IsTwoDimensional(PTR_BCS_UPDF417));
}

TEST(BarCode, MatrixSymbolsGoToTheirFunctionGroups) {
  const std::string setUp = std::string(kSetUp) + " ";
  // Data Matrix (cn 54): square, size automatic, module 3.
  EXPECT_EQ(Matrix("DM 203 data", PTR_BCS_DATAMATRIX),
            setUp + "1D 28 6B 05 00 36 42 00 00 00 1D 28 6B 03 00 36 43 03 1D 28 6B 0E 00 36 50 30 " +
                HexOf("DM 203 data") + " 1D 28 6B 03 00 36 51 30");
  // Aztec (cn 53): full range, layers automatic, module 3.
  EXPECT_EQ(Matrix("AZTEC 206", PTR_BCS_AZTEC),
            setUp + "1D 28 6B 03 00 35 42 00 1D 28 6B 03 00 35 43 00 1D 28 6B 03 00 35 44 03 1D 28 6B 0C 00 35 50 30 " +
                HexOf("AZTEC 206") + " 1D 28 6B 03 00 35 51 30");
  // Micro QR: the QR group's model 3.
  EXPECT_EQ(Matrix("UQR205", PTR_BCS_UQRCODE),
            setUp + "1D 28 6B 04 00 31 41 33 00 1D 28 6B 03 00 31 43 03 1D 28 6B 09 00 31 50 30 " + HexOf("UQR205") +
                " 1D 28 6B 03 00 31 51 30");
  // Stacked GS1 DataBar (cn 51): the store names the type, 73 or 76.
  EXPECT_EQ(Matrix("0950110153000", PTR_BCS_GS1DATABAR_S),
            setUp + "1D 28 6B 03 00 33 43 03 1D 28 6B 11 00 33 50 30 49 " + HexOf("0950110153000") +
                " 1D 28 6B 03 00 33 51 30");
  EXPECT_NE(Matrix("(01)09501101530003(3103)000123", PTR_BCS_GS1DATABAR_E_S)
                .find("1D 28 6B 22 00 33 50 30 4C 28 30 31 29"),
            std::string::npos);
}

TEST(BarCode, MatrixSymbolsRefuseWhatTheyCannotHold) {
  // Micro QR's largest symbol: 35 digits, 21 alphanumeric, 15 bytes.
  EXPECT_NE(Matrix(std::string(35, '7'), PTR_BCS_UQRCODE), "refused");
  EXPECT_EQ(Matrix(std::string(36, '7'), PTR_BCS_UQRCODE), "refused");
  EXPECT_NE(Matrix(std::string(21, 'Q'), PTR_BCS_UQRCODE), "refused");
  EXPECT_EQ(Matrix(std::string(22, 'Q'), PTR_BCS_UQRCODE), "refused");
  EXPECT_NE(Matrix(std::string(15, 'q'), PTR_BCS_UQRCODE), "refused");
  EXPECT_EQ(Matrix(std::string(16, 'q'), PTR_BCS_UQRCODE), "refused");
  EXPECT_NE(Matrix(std::string(15, '\0'), PTR_BCS_UQRCODE), "refused");  // NULs are bytes
  EXPECT_EQ(Matrix(std::string(16, '\0'), PTR_BCS_UQRCODE), "refused");
  EXPECT_NE(Matrix(std::string(1556, 'x'), PTR_BCS_DATAMATRIX), "refused");
  EXPECT_EQ(Matrix(std::string(1557, 'x'), PTR_BCS_DATAMATRIX), "refused");
  EXPECT_NE(Matrix(std::string(3116, '1'), PTR_BCS_DATAMATRIX), "refused");
  EXPECT_NE(Matrix(std::string(1914, 'x'), PTR_BCS_AZTEC), "refused");
  EXPECT_EQ(Matrix(std::string(1915, 'x'), PTR_BCS_AZTEC), "refused");
  // An empty symbol prints nothing to read.
  for (int32_t s : {int32_t{PTR_BCS_UQRCODE}, int32_t{PTR_BCS_DATAMATRIX}, int32_t{PTR_BCS_AZTEC},
                    int32_t{PTR_BCS_GS1DATABAR_S}, int32_t{PTR_BCS_GS1DATABAR_E_S}}) {
    EXPECT_EQ(Matrix("", s), "refused") << s;
  }
}

TEST(BarCode, Gs1DataBarDataRules) {
  // 13 digits, or 14 with the right check digit, which the printer adds.
  const std::string omni = Linear("0950110153000", PTR_BCS_GS1DATABAR, 400, 80);
  EXPECT_EQ(omni, std::string(kSetUp) + " 1D 68 50 1D 77 04 1D 6B 4B 0D " + HexOf("0950110153000"));
  EXPECT_EQ(Linear("09501101530003", PTR_BCS_GS1DATABAR, 400, 80), omni);
  EXPECT_EQ(Linear("09501101530004", PTR_BCS_GS1DATABAR), "refused");
  EXPECT_EQ(Linear("095011015300", PTR_BCS_GS1DATABAR), "refused");
  EXPECT_EQ(Linear("095011015300A", PTR_BCS_GS1DATABAR), "refused");
  EXPECT_EQ(Matrix("09501101530004", PTR_BCS_GS1DATABAR_S), "refused");
  EXPECT_EQ(Matrix("09501101530003", PTR_BCS_GS1DATABAR_S), Matrix("0950110153000", PTR_BCS_GS1DATABAR_S));
  // Element strings begin with an identifier in parentheses.
  const std::string expanded = "(01)09501101530003(3103)000123";
  EXPECT_EQ(Tail(Linear(expanded, PTR_BCS_GS1DATABAR_E), 34), "1D 6B 4E 1E " + HexOf(expanded));
  EXPECT_EQ(Linear("0109501101530003", PTR_BCS_GS1DATABAR_E), "refused");
  EXPECT_EQ(Linear("(10)LOT 7", PTR_BCS_GS1DATABAR_E), "refused");  // no spaces in GS1 data
  EXPECT_EQ(Linear("(", PTR_BCS_GS1DATABAR_E), "refused");
  EXPECT_EQ(Linear("(10)" + std::string(252, 'A'), PTR_BCS_GS1DATABAR_E), "refused");
  EXPECT_EQ(Matrix("(10)" + std::string(252, 'A'), PTR_BCS_GS1DATABAR_E_S), "refused");
  EXPECT_NE(Matrix("(10)" + std::string(251, 'A'), PTR_BCS_GS1DATABAR_E_S), "refused");
}

TEST(BarCode, Gs1DataBarModuleWidths) {
  // Omnidirectional is 96 modules wide.
  EXPECT_EQ(ChooseModuleWidth(PTR_BCS_GS1DATABAR, 13, 0, 96 * 3), 3);
  EXPECT_EQ(ChooseModuleWidth(PTR_BCS_GS1DATABAR, 13, 0, 96 * 3 - 1), 2);
  // Expanded of 26 digits: 12 + 91 bits in 9 characters and the check
  // character, 10 * 17 + 5 * 15 + 4 = 249 modules.
  EXPECT_EQ(ChooseModuleWidth(PTR_BCS_GS1DATABAR_E, 26, 26, 249 * 2), 2);
  EXPECT_EQ(ChooseModuleWidth(PTR_BCS_GS1DATABAR_E, 26, 26, 249 * 3), 3);
  // 26 letters: 12 + 156 bits, 15 characters, 379 modules.
  EXPECT_EQ(ChooseModuleWidth(PTR_BCS_GS1DATABAR_E, 26, 0, 379 * 2), 2);
  EXPECT_EQ(ChooseModuleWidth(PTR_BCS_GS1DATABAR_E, 26, 26, 379 * 2), 3);
}

TEST(BarCode, OptionalSymbologiesNeedTheProfilesList) {
  for (int32_t s : {int32_t{PTR_BCS_DATAMATRIX}, int32_t{PTR_BCS_UQRCODE}, int32_t{PTR_BCS_AZTEC},
                    int32_t{PTR_BCS_GS1DATABAR}, int32_t{PTR_BCS_GS1DATABAR_E}, int32_t{PTR_BCS_GS1DATABAR_S},
                    int32_t{PTR_BCS_GS1DATABAR_E_S}}) {
    EXPECT_FALSE(SymbologyOffered(s, "")) << s;
    EXPECT_TRUE(SymbologyOffered(s, "131,132,133,134,203,205,206")) << s;
  }
  EXPECT_TRUE(SymbologyOffered(PTR_BCS_AZTEC, " 203 , 206"));
  EXPECT_FALSE(SymbologyOffered(PTR_BCS_AZTEC, "2060,20,6"));
  EXPECT_FALSE(SymbologyOffered(PTR_BCS_DATAMATRIX, "1203"));
  // The others are always the builders' to decide.
  for (int32_t s : {int32_t{PTR_BCS_QRCODE}, int32_t{kSymbologyQrCode}, int32_t{PTR_BCS_PDF417},
                    int32_t{PTR_BCS_UPCA}, int32_t{PTR_BCS_MAXICODE}}) {
    EXPECT_TRUE(SymbologyOffered(s, "")) << s;
  }
}

}  // namespace
