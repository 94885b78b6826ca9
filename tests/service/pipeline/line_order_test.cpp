// CharacterSet 997: a right-to-left line whose look changes in the middle
// is put into display order as one line, each piece with its own style.
#include <gtest/gtest.h>

#include "pipeline_test_util.h"
#include "service/pipeline/translator.h"
#include "service/pipeline/unicode/unicode_text.h"
#include "unicode_test_util.h"

namespace {

// Opening prefix, and the closing one back on PC437 after the Hebrew page.
const std::string kOpen = "1B 3D 01 1B 61 00 1B 21 00 ";
const std::string kBack = "1B 3D 01 1B 61 00 1B 74 00 1B 21 00 1D 42 00";
// PC862 letters: alef 80, bet 81, gimel 82, dalet 83, he 84, vav 85.

class LineOrder : public ::testing::Test {
 protected:
  PrintState state = UnicodeState(false);
  int32_t rc = -1;

  std::string Full(std::string_view data) { return Translated(state, data, &rc); }
};

TEST_F(LineOrder, ABoldTotalAfterAHebrewLabelStandsLeftOfIt) {
  // "12.50 כ"הס": the bold amount first, then the label with its space.
  EXPECT_EQ(Full(u8"סה\"כ \x1B|bC12.50\n"),
            kOpen + "1B 21 08 31 32 2E 35 30 1B 21 00 20 1B 74 15 8B 22 84 91 1B 21 08 0A " + kBack);
  EXPECT_EQ(rc, 0);
}

TEST_F(LineOrder, ABoldWordInsideAHebrewSentenceKeepsItsPlace) {
  // ESC|N's own bytes follow the line, as they followed the bold word.
  EXPECT_EQ(Full(u8"אב \x1B|bCגד\x1B|N הו\n"),
            kOpen + "1B 74 15 85 84 20 1B 21 08 83 82 1B 21 00 20 81 80 "
                    "1B 3D 01 1B 61 00 1B 21 00 1D 21 00 1D 42 00 0A " + kBack);
}

TEST_F(LineOrder, UnderlineReverseAndSizeGoOnAndOffPieceByPiece) {
  // Alignment before the text is sent at once; the underline's own command
  // comes after the line, which leaves the printer as the data does.
  EXPECT_EQ(Full(u8"\x1B|cAשלום \x1B|2uCabc\n"),
            kOpen + "1B 61 01 1B 2D 02 1B 21 80 61 62 63 1B 21 00 20 1B 74 15 8D 85 8C 99 1B 2D 02 1B 21 80 0A " +
                kBack);
  EXPECT_EQ(Full(u8"אב \x1B|rvCגד\n"),
            kOpen + "1D 42 01 1B 74 15 83 82 1D 42 00 20 81 80 1D 42 01 0A " + kBack);
  // The width kept for the next call is sent again before the line end.
  EXPECT_EQ(Full(u8"אב \x1B|2hCגד\n"),
            kOpen + "1D 21 10 1B 74 15 83 82 1D 21 00 20 81 80 1D 21 10 0A " + kBack);
  EXPECT_EQ(state.characterSize, 0x10);
}

TEST_F(LineOrder, ColourAndAPendingSizeReachTheirPieces) {
  state.capRecColor = 1;
  state.printerType = 1;
  EXPECT_EQ(Full(u8"אב \x1B|rCגד\n"),
            "1B 3D 01 1B 61 00 1B 72 00 1B 21 00 1B 72 01 1B 74 15 83 82 1B 72 00 20 81 80 1B 72 01 0A "
            "1B 3D 01 1B 61 00 1B 72 00 1B 74 00 1B 21 00 1D 42 00");
  state = UnicodeState(false);
  // The height set before the line is still to be sent: its first piece sends it.
  EXPECT_EQ(Full(u8"\x1B|2vCאב \x1B|bCג\n"),
            kOpen + "1B 21 08 1D 21 01 1B 74 15 82 1B 21 00 20 81 80 1B 21 08 0A " + kBack);
}

TEST_F(LineOrder, PointsStayAfterTheirLetterInAStyledLine) {
  EXPECT_EQ(Full(u8"שָׁלוֹם \x1B|bC12"),
            kOpen + "1B 21 08 31 32 1B 21 00 20 1B 74 21 ED E5 C9 EC F9 C8 D1 " + kBack);
}

// A run may come out in two places: Latin inside a right-to-left line.
TEST(OrderLine, PiecesAreCutWhereTheRunChangesFromLeftToRight) {
  const PrintState state = UnicodeState(false);
  std::vector<unicode::LinePiece> pieces;
  unicode::OrderLine(state.unicode, {u8"אב abc", "de", u8" גד"}, &pieces);
  ASSERT_EQ(pieces.size(), 4u);
  const std::pair<size_t, std::u32string> expected[] = {{2, U"דג "}, {0, U"abc"}, {1, U"de"}, {0, U" בא"}};
  for (size_t i = 0; i < pieces.size(); ++i) {
    EXPECT_EQ(pieces[i].run, expected[i].first) << i;
    EXPECT_TRUE(pieces[i].text == expected[i].second) << i;
    EXPECT_FALSE(pieces[i].picture);
  }
  // Without right-to-left text every run stays one piece, in its order.
  unicode::OrderLine(state.unicode, {"ab", "", "cd"}, &pieces);
  ASSERT_EQ(pieces.size(), 2u);
  EXPECT_EQ(pieces[1].run, 2u);
}

TEST_F(LineOrder, SequencesThatPrintOrMovePaperEndTheLine) {
  // No bitmap stored: ESC|1B prints nothing, yet each side is ordered apart.
  EXPECT_EQ(Full(u8"שלום\x1B|1Bגד \x1B|bCab\n"),
            kOpen + "1B 74 15 8D 85 8C 99 1B 21 08 61 62 1B 21 00 20 83 82 1B 21 08 0A " + kBack);
  // A feed: the same.
  EXPECT_EQ(Full(u8"אב \x1B|lFגד \x1B|bCab"),
            kOpen + "20 1B 74 15 81 80 1B 64 01 1B 21 08 61 62 1B 21 00 20 83 82 " + kBack);
}

TEST_F(LineOrder, EachLineIsOrderedOnItsOwnAndAnUnfinishedOneAsItIs) {
  EXPECT_EQ(Full(u8"ab\nאב \x1B|bCגד\r\nab \x1B|bCcd"),
            kOpen + "61 62 0A 1B 21 08 1B 74 15 83 82 1B 21 00 20 81 80 1B 21 08 0D 0A 61 62 20 63 64 " + kBack);
}

TEST_F(LineOrder, LeftToRightLinesKeepTheirBytes) {
  // Only lines with right-to-left text are gathered.
  EXPECT_EQ(Full(u8"Total \x1B|bC12\x1B|N ok\n"),
            kOpen + "54 6F 74 61 6C 20 1B 21 08 31 32 1B 3D 01 1B 61 00 1B 21 00 1D 21 00 1D 42 00 20 6F 6B 0A "
                    "1B 3D 01 1B 61 00 1B 21 00 1D 42 00");
}

TEST_F(LineOrder, ARightToLeftLineOfPicturesIsDrawnPieceByPiece) {
  const std::string data = u8"مرحبا \x1B|bCعالم\n";
  std::string out;
  TranslatePrintData(state, data, &out);
  const SplitOutput split = SplitPictures(out);
  ASSERT_EQ(split.widths.size(), 2u);
  // The bold word is the left one.
  const std::string around = HexOf(split.around);
  const size_t bold = around.find("1B 21 08");
  const size_t plain = around.find("1B 21 00", kOpen.size());
  ASSERT_NE(bold, std::string::npos);
  ASSERT_NE(plain, std::string::npos);
  EXPECT_LT(bold, plain);
}

}  // namespace
