// The rules behind property writes, on plain printer data: line
// characters, line spacing and height, map mode, character sets, page-mode
// setters and the decimal text rule used for registry numbers.
#include <gtest/gtest.h>

#include <climits>

#include "common/opos.h"
#include "service/printer/character_set.h"
#include "service/common/decimal_text.h"
#include "service/common/device_entry.h"
#include "service/printer/line_metrics.h"
#include "service/printer/page_mode_properties.h"
#include "service/pipeline/state_prefix.h"

using namespace opos;

namespace {

PrinterData ReceiptData() {
  PrinterData d;
  d.print.linecharsNormal = 42;
  d.print.linecharsCompressed = 56;
  d.geometry.dotsPerNormalCharHeight = 24;
  d.geometry.dotsPerCompressedCharHeight = 17;
  d.metrics.lineHeightDots = 24;
  d.metrics.lineWidthDots = 512;
  d.metrics.defaultLineSpacingDots = 30;
  d.print.lineSpacingDots = 30;
  d.recLineHeight = 24;
  d.recLineSpacing = 30;
  return d;
}

TEST(RecLineChars, HoldsOnlyTheNormalOrTheCompressedCount) {
  struct Case {
    int32_t requested, chars, rc, font;
  } cases[] = {
      {30, 42, OPOS_SUCCESS, 0}, {42, 42, OPOS_SUCCESS, 0},  {43, 56, OPOS_SUCCESS, 1},
      {50, 56, OPOS_SUCCESS, 1}, {56, 56, OPOS_SUCCESS, 1},  {60, 56, OPOS_E_ILLEGAL, 1},
      {5, 42, OPOS_SUCCESS, 0},  {-7, 42, OPOS_SUCCESS, 0},
  };
  for (const Case& c : cases) {
    PrinterData d = ReceiptData();
    d.print.resendFlags = 0;
    EXPECT_EQ(ApplyRecLineChars(d, c.requested), c.rc) << c.requested;
    EXPECT_EQ(d.print.recLineChars, c.chars) << c.requested;
    EXPECT_EQ(d.print.fontByte, c.font) << c.requested;
    EXPECT_EQ(d.print.resendFlags & RESEND_LINE_SPACING, RESEND_LINE_SPACING);
  }
}

TEST(RecLineChars, SmallNormalCountFallsToCompressedAndFailsBeyondIt) {
  PrinterData d;  // a profile without DETAIL values
  EXPECT_EQ(ApplyRecLineChars(d, 0), OPOS_E_ILLEGAL);
  EXPECT_EQ(d.print.recLineChars, 0);
}

TEST(RecLineSpacing, LimitedToTwelveToFiftyDots) {
  PrinterData d = ReceiptData();
  ApplyRecLineSpacing(d, 100);
  EXPECT_EQ(d.recLineSpacing, 50);
  EXPECT_EQ(d.print.lineSpacingDots, 50);
  EXPECT_EQ(d.print.recLinesToPaperCut, (24 + 50 + 143) / 50);

  ApplyRecLineSpacing(d, 5);
  EXPECT_EQ(d.recLineSpacing, 12);
  EXPECT_EQ(d.print.recLinesToPaperCut, (24 + 12 + 143) / 12);

  ApplyRecLineSpacing(d, 33);
  EXPECT_EQ(d.recLineSpacing, 33);
}

TEST(RecLineHeight, FollowsTheFontInUseAndRestoresDefaultSpacing) {
  PrinterData d = ReceiptData();
  ApplyRecLineChars(d, 42);
  ApplyRecLineSpacing(d, 40);
  ApplyRecLineHeight(d);
  EXPECT_EQ(d.recLineHeight, 24);
  EXPECT_EQ(d.recLineSpacing, 30);

  ApplyRecLineChars(d, 56);
  ApplyRecLineHeight(d);
  EXPECT_EQ(d.recLineHeight, 17);
}

TEST(MapMode, AcceptsOneToFourOnly) {
  PrinterData d = ReceiptData();
  EXPECT_EQ(ApplyMapMode(d, 0), OPOS_E_ILLEGAL);
  EXPECT_EQ(ApplyMapMode(d, 5), OPOS_E_ILLEGAL);
  EXPECT_EQ(d.print.mapMode, PTR_MM_DOTS);
  for (int32_t mode = 1; mode <= 4; ++mode) {
    EXPECT_EQ(ApplyMapMode(d, mode), OPOS_SUCCESS);
    EXPECT_EQ(d.print.mapMode, mode);
  }
}

TEST(CharacterSet, CodePageTable) {
  struct Case {
    int32_t set;
    int16_t escT;
  } cases[] = {{437, 0}, {850, 2}, {852, 18}, {866, 17}, {874, 36}, {998, 0}, {999, 16}, {1252, 16}, {1257, 26}};
  for (const Case& c : cases) {
    int16_t n = -1;
    EXPECT_TRUE(LookUpCodePage(c.set, "PX-BB", &n)) << c.set;
    EXPECT_EQ(n, c.escT) << c.set;
  }
}

TEST(CharacterSet, EuroLatinDependsOnTheModel) {
  int16_t n = 0;
  ASSERT_TRUE(LookUpCodePage(858, "PX-AA_1", &n));
  EXPECT_EQ(n, 11);
  ASSERT_TRUE(LookUpCodePage(858, "PX-BB", &n));
  EXPECT_EQ(n, 19);
  ASSERT_TRUE(LookUpCodePage(858, "PX-A", &n));
  EXPECT_EQ(n, 19);
}

TEST(CharacterSet, UnknownSetChangesNothing) {
  PrinterData d;
  ASSERT_EQ(ApplyCharacterSet(d, 852), OPOS_SUCCESS);
  d.print.resendFlags = 0;
  EXPECT_EQ(ApplyCharacterSet(d, 861), OPOS_E_ILLEGAL);
  EXPECT_EQ(d.characterSet, 852);
  EXPECT_EQ(d.print.codePage, 18);
  EXPECT_EQ(d.print.resendFlags, 0);

  EXPECT_EQ(ApplyCharacterSet(d, 1251), OPOS_SUCCESS);
  EXPECT_EQ(d.characterSet, 1251);
  EXPECT_EQ(d.print.codePage, 28);
  EXPECT_EQ(d.print.resendFlags, RESEND_CODE_PAGE);
}

TEST(CharacterSet, UnicodeStartsOnPc437AndKeepsOtherSetsAsTheyWere) {
  PrinterData d;
  ASSERT_EQ(ApplyCharacterSet(d, 866), OPOS_SUCCESS);
  d.print.resendFlags = 0;
  ASSERT_EQ(ApplyCharacterSet(d, PTR_CS_UNICODE), OPOS_SUCCESS);
  EXPECT_EQ(d.characterSet, PTR_CS_UNICODE);
  EXPECT_EQ(d.print.codePage, 0);
  EXPECT_EQ(d.print.resendFlags, RESEND_CODE_PAGE);
  EXPECT_EQ(CharacterSetTable(PTR_CS_UNICODE), nullptr);
  EXPECT_FALSE(UnicodeText(d));  // MapCharacterSet is off
  d.mapCharacterSet = 1;
  EXPECT_TRUE(UnicodeText(d));
}

TEST(CharacterSet, UnicodeModelTakesEachPageOfTheListOnce) {
  PrinterData d;
  d.characterSetList = "437,998,850,997,23,1252,999,,866";
  d.multiByteMode = "UTF8";
  d.metrics.lineWidthDots = 480;
  d.geometry.dotsPerNormalChar = 12;
  BuildUnicodeModel(d);
  const unicode::UnicodeModel& m = d.print.unicode;
  ASSERT_EQ(m.pages.Size(), 4u);  // 998 and 999 repeat 437 and 1252; 23 has no table
  EXPECT_EQ(m.pages.At(0).escT, 0);
  EXPECT_EQ(m.pages.At(1).escT, 2);
  EXPECT_EQ(m.pages.At(2).escT, 16);
  EXPECT_EQ(m.pages.At(3).escT, 17);
  EXPECT_TRUE(m.utf8Mode);
  EXPECT_EQ(m.lineWidthDots, 480);
  d.multiByteMode = "";
  BuildUnicodeModel(d);
  EXPECT_FALSE(d.print.unicode.utf8Mode);
}

TEST(CharacterSet, MultiByteModeNamesTheKanjiCode) {
  PrinterData d;
  d.characterSetList = "437,997";
  const struct {
    const char* value;
    const codepage::DoubleByteTable* kanji;
    bool shiftJis;
  } cases[] = {
      {"ShiftJIS", &codepage::Find(codepage::DoubleByte::ShiftJis), true},
      {"GB18030", &codepage::Find(codepage::DoubleByte::Gb18030), false},
      {"Big5", &codepage::Find(codepage::DoubleByte::Big5), false},
      {"KSC5601", &codepage::Find(codepage::DoubleByte::Ksc5601), false},
      {"UTF8", nullptr, false},
      {"shiftjis", nullptr, false},  // unknown spellings: no multibyte mode
      {"GBK", nullptr, false},
  };
  for (const auto& c : cases) {
    d.multiByteMode = c.value;
    BuildUnicodeModel(d);
    EXPECT_EQ(d.print.unicode.kanji, c.kanji) << c.value;
    EXPECT_EQ(d.print.unicode.kanjiSelectShiftJis, c.shiftJis) << c.value;
    EXPECT_EQ(d.print.unicode.utf8Mode, std::string(c.value) == "UTF8") << c.value;
  }
}

TEST(CharacterSet, UserDefinedPageReachesThePrinter) {
  PrinterData d;
  ASSERT_EQ(ApplyCharacterSet(d, 255), OPOS_SUCCESS);
  EXPECT_EQ(d.print.codePage, 255);
  const std::string prefix = BuildStatePrefix(d.print);
  EXPECT_NE(prefix.find(std::string("\x1B\x74\xFF", 3)), std::string::npos);
}

TEST(PageModeSetters, RefusalsKeepTheOldValue) {
  PrinterData d;
  ASSERT_EQ(SetPageModePrintArea(d, "0,0,512,800"), OPOS_SUCCESS);
  EXPECT_EQ(SetPageModePrintArea(d, "0,0,100"), OPOS_E_ILLEGAL);
  EXPECT_EQ(d.pageMode.printArea, "0,0,512,800");
  EXPECT_EQ(d.pageMode.printAreaUnits[3], 800);

  EXPECT_EQ(SetPageModeHorizontalPosition(d, -1), OPOS_E_ILLEGAL);
  EXPECT_EQ(SetPageModeStation(d, 3), OPOS_E_ILLEGAL);
  EXPECT_EQ(SetPageModePrintDirection(d, 5), OPOS_E_ILLEGAL);
  EXPECT_EQ(SetPageModePrintDirection(d, 0), OPOS_E_ILLEGAL);
}

TEST(PageModeSetters, PrintAreaFieldsReadLikeAtoi) {
  PrinterData d;
  EXPECT_EQ(SetPageModePrintArea(d, " 10,20x, 300 ,400mm"), OPOS_SUCCESS);
  const int32_t want[4] = {10, 20, 300, 400};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(d.pageMode.printAreaUnits[i], want[i]);
  EXPECT_TRUE(d.pageMode.geometryChanged);
  EXPECT_EQ(SetPageModePrintArea(d, ",,,"), OPOS_SUCCESS);
  EXPECT_EQ(d.pageMode.printAreaUnits[2], 0);
}

TEST(DecimalText, AtoiRulesWithoutOverflow) {
  EXPECT_EQ(DecimalTextToInt("9600"), 9600);
  EXPECT_EQ(DecimalTextToInt("12ab"), 12);
  EXPECT_EQ(DecimalTextToInt("abc"), 0);
  EXPECT_EQ(DecimalTextToInt(""), 0);
  EXPECT_EQ(DecimalTextToInt("  -5"), -5);
  EXPECT_EQ(DecimalTextToInt("99999999999999999999"), INT_MAX);
  EXPECT_EQ(DecimalTextToInt("-99999999999999999999"), INT_MIN);
}

TEST(ServiceObjectVersion, BuildNumberAfterTheLastPoint) {
  EXPECT_EQ(ServiceObjectVersionFrom("1.9.3"), 1009003);
  EXPECT_EQ(ServiceObjectVersionFrom("1.9.12"), 1009012);
  EXPECT_EQ(ServiceObjectVersionFrom("19"), 1009000);
  EXPECT_EQ(ServiceObjectVersionFrom("1.9."), 1009000);
  EXPECT_EQ(ServiceObjectVersionFrom(""), 1009000);
  EXPECT_EQ(ServiceObjectVersionFrom("1.9.2147483000"), INT_MAX);  // saturates, never wraps
  EXPECT_EQ(ServiceObjectVersionFrom("1.9.-9"), 1008991);
}

}  // namespace
