// CharacterSet 997 on models with a double-byte code: what no page holds
// goes in Kanji mode, byte for byte.
#include <gtest/gtest.h>

#include "pipeline_test_util.h"
#include "service/pipeline/translator.h"
#include "unicode_test_util.h"

namespace {

using codepage::DoubleByte;

const std::string kOpen = "1B 3D 01 1B 61 00 1B 21 00 ";
const std::string kClose = "1B 3D 01 1B 61 00 1B 21 00 1D 42 00";
const std::string kCloseOn437 = "1B 3D 01 1B 61 00 1B 74 00 1B 21 00 1D 42 00";

std::string Full(PrintState& state, std::string_view data) {
  std::string out;
  EXPECT_EQ(TranslatePrintData(state, data, &out), 0);
  return HexOf(out);
}

TEST(KanjiText, EachFamilyPrintsItsLineInKanjiMode) {
  const struct {
    DoubleByte code;
    const char* text;
    std::string bytes;
  } cases[] = {
      // Shift JIS is chosen first; ASCII between double-byte characters
      // stays in Kanji mode.
      {DoubleByte::ShiftJis, u8"日本語 12円\n", "1C 43 01 1C 26 93 FA 96 7B 8C EA 20 31 32 89 7E 0A 1C 2E "},
      {DoubleByte::Gb18030, u8"中文收据\n", "1C 26 D6 D0 CE C4 CA D5 BE DD 0A 1C 2E "},
      {DoubleByte::Big5, u8"收據 營業\n", "1C 26 A6 AC BE DA 20 C0 E7 B7 7E 0A 1C 2E "},
      {DoubleByte::Ksc5601, u8"영수증 합계\n", "1C 26 BF B5 BC F6 C1 F5 20 C7 D5 B0 E8 0A 1C 2E "},
  };
  for (const auto& c : cases) {
    PrintState state = KanjiState(c.code);
    EXPECT_EQ(Full(state, c.text), kOpen + c.bytes + kClose) << c.text;
  }
}

TEST(KanjiText, PageTextLeavesKanjiModeAndASingleByteTailDoesToo) {
  PrintState state = KanjiState(DoubleByte::ShiftJis);
  // é stays on PC437; the space and "ok" after the last double-byte
  // character go in single-byte mode.
  EXPECT_EQ(Full(state, u8"Café 日本 ok"),
            kOpen + "43 61 66 82 20 1C 43 01 1C 26 93 FA 96 7B 1C 2E 20 6F 6B " + kClose);
  // In and out again: Cyrillic from its page between two Kanji runs; the
  // code system is chosen once a call.
  EXPECT_EQ(Full(state, u8"日本Дом日本"),
            kOpen + "1C 43 01 1C 26 93 FA 96 7B 1C 2E 1B 74 07 A7 D6 D2 1C 26 93 FA 96 7B 1C 2E " + kCloseOn437);
  // Full-width forms and CJK punctuation no page holds go as double bytes.
  state = KanjiState(DoubleByte::Gb18030);
  EXPECT_EQ(Full(state, u8"价格，¥5"), kOpen + "1C 26 BC DB B8 F1 A3 AC 1C 2E 9D 35 " + kClose);
  // A rare ideograph of Extension A goes in its four bytes, in the mode.
  EXPECT_EQ(Full(state, u8"王\u3400"), kOpen + "1C 26 CD F5 81 39 EE 39 1C 2E " + kClose);
}

TEST(KanjiText, AsciiOnlyRunsAndLinesLeaveKanjiMode) {
  PrintState state = KanjiState(DoubleByte::Big5);
  // A style sequence ends the run: the ASCII run after it is single-byte.
  EXPECT_EQ(Full(state, u8"收\x1B|bCab"), kOpen + "1C 26 A6 AC 1B 21 08 1C 2E 61 62 " + kClose);
  // The line end keeps the mode; the next line's ASCII before its double-byte
  // character stays in it.
  EXPECT_EQ(Full(state, u8"收\n1 收"), kOpen + "1C 26 A6 AC 0A 31 20 A6 AC 1C 2E " + kClose);
}

TEST(KanjiText, WhatTheCodeLacksIsAPicture) {
  PrintState state = KanjiState(DoubleByte::Ksc5601);
  // 똠 is no KS C 5601 syllable; Kanji mode is left before the picture.
  std::string out;
  ASSERT_EQ(TranslatePrintData(state, u8"합똠", &out), 0);
  SplitOutput split = SplitPictures(out);
  ASSERT_EQ(split.widths.size(), 1u);
  EXPECT_EQ(HexOf(split.around), kOpen + "1C 26 C7 D5 1C 2E " + kClose);
  // Hangul on a Japanese model, and a kana with a combining mark the
  // code has no code for.
  state = KanjiState(DoubleByte::ShiftJis);
  out.clear();
  ASSERT_EQ(TranslatePrintData(state, u8"한 か\u3099", &out), 0);
  split = SplitPictures(out);
  EXPECT_EQ(split.widths.size(), 1u);
  EXPECT_EQ(split.around.find("\x1C\x26"), std::string::npos);
  // A right-to-left line drawn whole leaves Kanji mode first as well.
  out.clear();
  ASSERT_EQ(TranslatePrintData(state, u8"日\nשלום 😀", &out), 0);
  split = SplitPictures(out);
  EXPECT_EQ(split.widths.size(), 1u);
  EXPECT_EQ(HexOf(split.around), kOpen + "1C 43 01 1C 26 93 FA 0A 1C 2E " + kClose);
}

TEST(KanjiText, DoubleSizesReachKanjiThroughItsOwnPrintMode) {
  PrintState state = KanjiState(DoubleByte::ShiftJis);
  EXPECT_EQ(Full(state, u8"\x1B|2C日\x1B|N日"),
            kOpen + "1B 21 20 1C 43 01 1C 26 1C 21 04 93 FA 1B 3D 01 1B 61 00 1B 21 00 1D 21 00 1D 42 00 "
                    "1C 21 00 93 FA 1C 2E " + kClose);
  // Left doubled, the call puts the Kanji print mode back.
  EXPECT_EQ(Full(state, u8"\x1B|2C日"), kOpen + "1B 21 20 1C 43 01 1C 26 1C 21 04 93 FA 1C 21 00 1C 2E " + kClose);
}

TEST(KanjiText, ADoubleByteCharacterTakesTwoCells) {
  PrintState state = KanjiState(DoubleByte::ShiftJis);
  state.unicode.lineWidthDots = 120;
  // Four characters take 96 of the 120 dots: an emoji picture no longer
  // fits beside them and starts the next line; beside two it does.
  std::string out;
  ASSERT_EQ(TranslatePrintData(state, u8"日本日本😀😀", &out), 0);
  EXPECT_NE(SplitPictures(out).around.find('\x0A'), std::string::npos);
  out.clear();
  ASSERT_EQ(TranslatePrintData(state, u8"日本😀😀", &out), 0);
  EXPECT_EQ(SplitPictures(out).around.find('\x0A'), std::string::npos);
}

TEST(KanjiText, Utf8ModelsAndModelsWithoutACodeAreAsBefore) {
  PrintState state = UnicodeState(false);
  std::string out;
  ASSERT_EQ(TranslatePrintData(state, u8"日本", &out), 0);
  EXPECT_EQ(SplitPictures(out).widths.size(), 1u);
  state = UnicodeState(true);
  EXPECT_EQ(Full(state, u8"日本"),
            kOpen + "1C 28 43 02 00 30 01 E6 97 A5 E6 9C AC 1C 28 43 02 00 30 00 " + kClose);
}

}  // namespace
