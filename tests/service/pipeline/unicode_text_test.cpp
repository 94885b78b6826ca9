// CharacterSet 997: UTF-8 print text encoded the cheapest way the model
// allows, byte for byte.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/opos.h"
#include "pipeline_test_util.h"
#include "service/pipeline/translator.h"
#include "service/pipeline/unicode/text_picture.h"
#include "unicode_test_util.h"

namespace {

class UnicodeText : public ::testing::Test {
 protected:
  PrintState state = UnicodeState(false);
  int32_t rc = -1;

  // The whole output as hex.
  std::string Full(std::string_view data) { return Translated(state, data, &rc); }
  // The output between the quiet frame (the call ends on the page it began).
  std::string Run(std::string_view data) { return Body(state, data, &rc); }
  SplitOutput Split(std::string_view data) {
    std::string out;
    rc = TranslatePrintData(state, data, &out);
    return SplitPictures(out);
  }
};

const std::string kBack = "1B 3D 01 1B 61 00 1B 74 00 1B 21 00 1D 42 00";  // closing prefix, back on PC437

TEST_F(UnicodeText, AsciiAndThePageInForcePassWithoutSwitching) {
  EXPECT_EQ(Run("abc\r\n\t"), "61 62 63 0D 0A 09");
  EXPECT_EQ(Run(u8"Ñandú"), "A5 61 6E 64 A3");
  EXPECT_EQ(rc, 0);
}

TEST_F(UnicodeText, AnotherPageIsSelectedAndTheCallEndsBackOnTheFirst) {
  EXPECT_EQ(Full(u8"Добро утро\n"),
            "1B 3D 01 1B 61 00 1B 21 00 1B 74 07 A7 D6 A2 E1 D6 20 E7 E5 E1 D6 0A " + kBack);
  // The next call starts where the CharacterSet's page is, and says nothing more.
  EXPECT_EQ(Run("a"), "61");
}

TEST_F(UnicodeText, APageIsKeptWhileItServesAndTheLongestServingOneIsChosen) {
  // Greek on PC737 (first of the two Greek pages); è and € then both fit the
  // euro Latin page, which PC437 does not.
  EXPECT_EQ(Full(u8"Ελλάδα Crème €"),
            "1B 3D 01 1B 61 00 1B 21 00 1B 74 1D 84 A2 A2 E1 9B 98 20 43 72 1B 74 13 8A 6D 65 20 D5 " + kBack);
  // Latin lines in between do not leave the page that serves them.
  EXPECT_EQ(Full(u8"Дом\nabc\nДом"),
            "1B 3D 01 1B 61 00 1B 21 00 1B 74 07 A7 D6 D2 0A 61 62 63 0A A7 D6 D2 " + kBack);
}

TEST_F(UnicodeText, HebrewPrintsInVisualOrderFromItsPage) {
  EXPECT_EQ(Full(u8"שלום\n"), "1B 3D 01 1B 61 00 1B 21 00 1B 74 15 8D 85 8C 99 0A " + kBack);
  // Each line is ordered on its own; the Latin word keeps its direction.
  EXPECT_EQ(Full(u8"שלום abc\nab"),
            "1B 3D 01 1B 61 00 1B 21 00 61 62 63 20 1B 74 15 8D 85 8C 99 0A 61 62 " + kBack);
}

TEST_F(UnicodeText, ThaiKeepsItsCombiningMarksOnTheThaiPage) {
  EXPECT_EQ(Full(u8"สวัสดี"), "1B 3D 01 1B 61 00 1B 21 00 1B 74 24 CA C7 D1 CA B4 D5 " + kBack);
}

TEST_F(UnicodeText, EastAsianTextUsesTheUtf8ModeAndLeavesItAtTheEnd) {
  state = UnicodeState(true);
  EXPECT_EQ(Full(u8"日本語 ab"),
            "1B 3D 01 1B 61 00 1B 21 00 1C 28 43 02 00 30 01 E6 97 A5 E6 9C AC E8 AA 9E 20 61 62 "
            "1C 28 43 02 00 30 00 1B 3D 01 1B 61 00 1B 21 00 1D 42 00");
  // Once in UTF-8 mode, characters a page holds go as UTF-8 as well.
  EXPECT_EQ(Full(u8"中ä"),
            "1B 3D 01 1B 61 00 1B 21 00 1C 28 43 02 00 30 01 E4 B8 AD C3 A4 "
            "1C 28 43 02 00 30 00 1B 3D 01 1B 61 00 1B 21 00 1D 42 00");
}

TEST_F(UnicodeText, WhatNothingHoldsBecomesAPictureInTheLine) {
  const SplitOutput out = Split(u8"A😀 😀B\n");
  ASSERT_EQ(out.widths.size(), 1u);  // the two emoji and the space between: one picture
  EXPECT_GT(out.widths[0], 20);
  EXPECT_EQ(HexOf(out.around), "1B 3D 01 1B 61 00 1B 21 00 41 42 0A 1B 3D 01 1B 61 00 1B 21 00 1D 42 00");
  const std::string& dots = out.payloads[0];
  EXPECT_TRUE(std::any_of(dots.begin(), dots.end(), [](char c) { return c != 0; }));
}

TEST_F(UnicodeText, NothingIsEverAQuestionMarkOrDropped) {
  const char* lines[] = {u8"Tiếng Việt", u8"नमस्ते", u8"e\u0301", "\xC3(\xFF", u8"日本", u8"한국어"};
  for (const char* line : lines) {
    SCOPED_TRACE(line);
    const SplitOutput out = Split(line);
    EXPECT_EQ(out.around.find('?'), std::string::npos) << HexOf(out.around);
    EXPECT_FALSE(out.widths.empty());
  }
}

TEST_F(UnicodeText, ArabicAndRightToLeftLinesWithPicturesAreOnePicture) {
  const SplitOutput arabic = Split(u8"مرحبا بالعالم 12\n");
  EXPECT_EQ(arabic.widths.size(), 1u);
  EXPECT_EQ(HexOf(arabic.around), "1B 3D 01 1B 61 00 1B 21 00 0A 1B 3D 01 1B 61 00 1B 21 00 1D 42 00");
}

TEST_F(UnicodeText, HebrewPointsStayAfterTheirLetterInVisualOrder) {
  // WPC1255 has the points; each follows its letter, as the printer draws
  // a mark on the cell before it.
  EXPECT_EQ(Full(u8"שָׁלוֹם"), "1B 3D 01 1B 61 00 1B 21 00 1B 74 21 ED E5 C9 EC F9 C8 D1 " + kBack);
}

TEST_F(UnicodeText, PicturesFollowDoubleWidthAndTheSmallFont) {
  const int normal = Split(u8"😀").widths.at(0);
  EXPECT_EQ(Split(u8"\x1B|2C😀").widths.at(0), 2 * normal);
  EXPECT_EQ(Split(u8"\x1B|4C😀").widths.at(0), 2 * normal);
  // Bit images are 24 dots: a double-height picture stays in its line.
  const SplitOutput tall = Split(u8"\x1B|3C😀");
  EXPECT_EQ(tall.widths.at(0), normal);
  // Drawn bottom-aligned: the small font (17 dots) leaves the top rows blank.
  state.recLineChars = 56;
  const SplitOutput emoji = Split(u8"😀");
  ASSERT_EQ(emoji.widths.size(), 1u);
  for (size_t col = 0; col < emoji.payloads[0].size(); col += 3) EXPECT_EQ(emoji.payloads[0][col] & 0xFE, 0) << col;
}

TEST_F(UnicodeText, UnderlineReachesThePicture) {
  const SplitOutput out = Split(u8"\x1B|1uC😀");
  ASSERT_EQ(out.widths.size(), 1u);
  for (size_t col = 0; col < out.payloads[0].size(); col += 3) EXPECT_EQ(out.payloads[0][col + 2] & 1, 1) << col;
}

TEST_F(UnicodeText, ReversedTextGivesAnInvertedPictureUntilNormal) {
  const SplitOutput plain = Split(u8"😀");
  const SplitOutput out = Split(u8"\x1B|rvC😀\x1B|N😀");
  ASSERT_EQ(out.widths.size(), 2u);
  ASSERT_EQ(out.payloads[0].size(), plain.payloads.at(0).size());
  for (size_t i = 0; i < out.payloads[0].size(); ++i) {
    EXPECT_EQ(static_cast<uint8_t>(out.payloads[0][i]), static_cast<uint8_t>(~plain.payloads[0][i])) << i;
  }
  EXPECT_EQ(out.payloads[1], plain.payloads[0]);
}

TEST_F(UnicodeText, APictureThatDoesNotFitTheRestOfTheLineStartsTheNext) {
  state.unicode.lineWidthDots = 120;  // ten characters
  const SplitOutput out = Split(u8"abcdefgh😀😀");
  ASSERT_EQ(out.widths.size(), 1u);
  ASSERT_LE(out.widths[0], 120);
  EXPECT_EQ(HexOf(out.around), "1B 3D 01 1B 61 00 1B 21 00 61 62 63 64 65 66 67 68 0A 1B 3D 01 1B 61 00 1B 21 00 1D 42 00");
  // Wider than a line: pieces of a line each, nothing cut off.
  std::string data;
  for (int i = 0; i < 12; ++i) data += u8"😀";
  const SplitOutput wide = Split(data);
  ASSERT_GE(wide.widths.size(), 2u);
  int total = 0;
  for (int w : wide.widths) {
    EXPECT_LE(w, 120);
    total += w;
  }
  EXPECT_EQ(wide.widths[0], 120);
  state.unicode.lineWidthDots = 4096;
  EXPECT_EQ(total, Split(data).widths.at(0));
}

TEST_F(UnicodeText, DoubleWidthCharactersCountTwoColumns) {
  state = UnicodeState(true);
  state.unicode.lineWidthDots = 120;
  // Four full-width characters take 96 of the 120 dots: two emoji no
  // longer fit beside them; beside two they do.
  ASSERT_GT(Split(u8"😀😀").widths.at(0), 24);
  const SplitOutput four = Split(u8"日本日本😀😀");
  EXPECT_NE(four.around.find('\x0A'), std::string::npos);
  const SplitOutput two = Split(u8"日本😀😀");
  EXPECT_EQ(two.around.find('\x0A'), std::string::npos);
}

TEST_F(UnicodeText, NormalAfterAPrefixThatSetThePageKnowsThePageIsBack) {
  state.resendFlags = RESEND_CODE_PAGE;
  EXPECT_EQ(Full(u8"Дом\x1B|NДом"),
            "1B 3D 01 1B 61 00 1B 74 00 1B 21 00 1B 74 07 A7 D6 D2 "
            "1B 3D 01 1B 61 00 1B 74 00 1B 21 00 1D 21 00 1D 42 00 1B 74 07 A7 D6 D2 " + kBack);
}

TEST_F(UnicodeText, EmbeddedBytesAreOneCharacterEach) {
  EXPECT_EQ(Run(u8"\x1B|3E\u00C2\u0088\u001Bz"), "C2 88 1B 7A");
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(Run(u8"\x1B|3E\u00C2"), "C2");
  EXPECT_EQ(rc, opos::OPOS_E_FAILURE);
}

TEST_F(UnicodeText, InvisibleCharactersPrintNothingAndStylesStillWork) {
  EXPECT_EQ(Run(u8"a\u200Bb\uFEFF"), "61 62");
  EXPECT_EQ(Full(u8"\x1B|cA\x1B|bCДом"),
            "1B 3D 01 1B 61 00 1B 21 00 1B 61 01 1B 21 08 1B 74 07 A7 D6 D2 1B 3D 01 1B 61 00 1B 74 00 1B 21 00 1D 42 00");
}

TEST_F(UnicodeText, AFailedSequenceCopiesTheWholeCharacterAfterIt) {
  // ESC|fF is refused and the character after it printed as text.
  EXPECT_EQ(Full(u8"\x1B|fFДа"),
            "1B 3D 01 1B 61 00 1B 21 00 1B 74 07 A7 A0 " + kBack);
  EXPECT_EQ(rc, opos::OPOS_E_FAILURE);
}

TEST_F(UnicodeText, WithoutUnicodeTextBytesPassAsBefore) {
  state.unicodeText = false;
  EXPECT_EQ(Run(u8"Да"), "D0 94 D0 B0");
}

}  // namespace

// A run nothing could draw still takes its room on paper: one outlined box
// per character, the whole height used, nothing outside the boxes.
TEST(MissingGlyphBoxes, OneOutlinedBoxPerCharacter) {
  const platform::TextPicture pic = unicode::MissingGlyphBoxes(U"\U0001F600\U0001F601\U0001F602", 24);
  ASSERT_EQ(pic.height, 24);
  ASSERT_EQ(pic.width, 3 * 12);
  ASSERT_EQ(pic.dots.size(), static_cast<size_t>(pic.width * pic.height));
  auto dot = [&](int x, int y) { return pic.dots[static_cast<size_t>(y) * pic.width + x]; };
  for (int box = 0; box < 3; ++box) {
    EXPECT_EQ(dot(box * 12, 12), 0);       // gap between boxes
    EXPECT_EQ(dot(box * 12 + 1, 12), 1);   // left edge
    EXPECT_EQ(dot(box * 12 + 10, 12), 1);  // right edge
    EXPECT_EQ(dot(box * 12 + 5, 12), 0);   // hollow
    EXPECT_EQ(dot(box * 12 + 5, 22), 1);   // bottom edge
  }
  EXPECT_TRUE(unicode::MissingGlyphBoxes(U"", 24).dots.empty());
  const platform::TextPicture tiny = unicode::MissingGlyphBoxes(U"x", 1);
  EXPECT_EQ(tiny.height, 1);
  EXPECT_EQ(tiny.dots.size(), static_cast<size_t>(tiny.width));
}
