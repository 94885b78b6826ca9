// Plain text, sequence recognition, and the sequences that change how text
// looks (N, A, C, rvC).
#include <gtest/gtest.h>

#include "common/opos.h"
#include "pipeline_test_util.h"
#include "service/pipeline/translator.h"

namespace {

using opos::OPOS_E_FAILURE;
using opos::OPOS_E_ILLEGAL;

std::string Esc(std::string_view rest) { return "\x1B|" + std::string(rest); }

class TranslateText : public ::testing::Test {
 protected:
  PrintState state = QuietState();
  int32_t rc = -1;
  std::string Run(std::string_view data) { return Body(state, data, &rc); }
};

// --- frame and plain text ---

TEST_F(TranslateText, EmptyDataIsTwoPrefixesAndReverseOffTheFirstResending) {
  state.codePage = 16;
  state.resendFlags = RESEND_CODE_PAGE | RESEND_LINE_SPACING;
  std::string out;
  EXPECT_EQ(TranslatePrintData(state, "", &out), 0);
  EXPECT_EQ(HexOf(out),
            "1B 3D 01 1B 61 00 1B 74 10 1B 21 00 1B 33 3C "
            "1B 3D 01 1B 61 00 1B 21 00 1D 42 00");
}

TEST_F(TranslateText, PlainBytesIncludingLineEndsPassUnchanged) {
  EXPECT_EQ(Run("ab\r\n\x7F\xFF"), "61 62 0D 0A 7F FF");
  EXPECT_EQ(rc, 0);
}

TEST_F(TranslateText, DataEndsAtTheFirstNulByte) {
  EXPECT_EQ(Run(std::string("ab\0" "cd", 5)), "61 62");
  EXPECT_EQ(Run(std::string("\0" "\x1B|3uC", 6)), "");
  EXPECT_EQ(rc, 0);
}

TEST_F(TranslateText, AppendsToWhatTheStringAlreadyHolds) {
  std::string out = "x";
  TranslatePrintData(state, "a", &out);
  EXPECT_EQ(out.substr(0, 2), "x" + Bytes("1B"));
}

// --- malformed introducers ---

TEST_F(TranslateText, MalformedIntroducerPrintsTheEscAndRestAsText) {
  EXPECT_EQ(Run(Esc("")), "1B 7C");
  EXPECT_EQ(rc, OPOS_E_FAILURE);
  EXPECT_EQ(Run(Esc("12")), "1B 7C 31 32");
  EXPECT_EQ(rc, OPOS_E_FAILURE);
  EXPECT_EQ(Run(Esc("a1")), "1B 7C 61 31");
  EXPECT_EQ(Run(Esc("#C")), "1B 7C 23 43");
  EXPECT_EQ(Run(Esc("b")), "1B 7C 62");
  EXPECT_EQ(rc, OPOS_E_FAILURE);
}

TEST_F(TranslateText, EscWithoutBarIsPlainAndScanningResumesAtTheBar) {
  EXPECT_EQ(Run("\x1B" "a"), "1B 61");
  EXPECT_EQ(rc, 0);
  // The first introducer is malformed; the second sequence still works.
  EXPECT_EQ(Run(Esc("") + Esc("bCx")), "1B 7C 1B 21 08 78");
  EXPECT_EQ(rc, OPOS_E_FAILURE);
}

TEST_F(TranslateText, UnknownLettersFailAndPrintNothing) {
  EXPECT_EQ(Run(Esc("Q") + "a" + Esc("xQ") + Esc("ab")), "61");
  EXPECT_EQ(rc, OPOS_E_FAILURE);
  EXPECT_EQ(Run(Esc("T") + Esc("3xT")), "");
  EXPECT_EQ(rc, OPOS_E_ILLEGAL);
}

TEST_F(TranslateText, LastFailureWinsAndSuccessDoesNotReset) {
  Run(Esc("3uC") + Esc("Q"));
  EXPECT_EQ(rc, OPOS_E_FAILURE);
  Run(Esc("Q") + Esc("3uC"));
  EXPECT_EQ(rc, OPOS_E_ILLEGAL);
  Run(Esc("Q") + Esc("cA") + "a");
  EXPECT_EQ(rc, OPOS_E_FAILURE);
  Run("a");
  EXPECT_EQ(rc, 0);
}

TEST_F(TranslateText, HugeNumbersSaturateInsteadOfOverflowing) {
  EXPECT_EQ(Run(Esc("99999999999999999999C") + "a"), "61");
  EXPECT_EQ(rc, 0);
  Run(Esc("4294967298hC"));
  EXPECT_EQ(rc, OPOS_E_ILLEGAL);
}

// --- style byte: deferred until a character needs it ---

TEST_F(TranslateText, BoldIsSentOnceBeforeTheFirstCharacter) {
  EXPECT_EQ(Run(Esc("bC") + "abc\n"), "1B 21 08 61 62 63 0A");
  EXPECT_EQ(Run(Esc("1bC") + "a"), "61");
  EXPECT_EQ(rc, 0);
}

TEST_F(TranslateText, StyleChangeThatNoCharacterFollowsIsNotSent) {
  EXPECT_EQ(Run("a" + Esc("bC") + Esc("4C")), "61");
}

TEST_F(TranslateText, DoubleSizesReplaceEachOther) {
  EXPECT_EQ(Run(Esc("2C") + "a" + Esc("3C") + "b" + Esc("4C") + "c" + Esc("1C") + "d"),
            "1B 21 20 61 1B 21 10 62 1B 21 30 63 1B 21 00 64");
  EXPECT_EQ(Run(Esc("C") + Esc("0C") + Esc("5C") + "a"), "61");
  EXPECT_EQ(rc, 0);
}

TEST_F(TranslateText, StylesCombineWithTheSmallFont) {
  state.recLineChars = 56;
  std::string out;
  TranslatePrintData(state, Esc("bC") + Esc("2C") + "a", &out);
  EXPECT_EQ(HexOf(out),
            "1B 3D 01 1B 61 00 1B 21 01 1B 21 29 61 "
            "1B 3D 01 1B 61 00 1B 21 01 1D 42 00");
}

TEST_F(TranslateText, UnderlineSendsThicknessAtOnceAndStyleLater) {
  EXPECT_EQ(Run(Esc("2uC") + "a"), "1B 2D 02 1B 21 80 61");
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(Run(Esc("1uC")), "1B 2D 01");
  for (const char* bad : {"3uC", "uC", "0uC"}) {
    EXPECT_EQ(Run(Esc(bad) + "a"), "1B 21 80 61") << bad;
    EXPECT_EQ(rc, OPOS_E_ILLEGAL) << bad;
  }
}

TEST_F(TranslateText, UnsupportedCharacterStylesAreIllegal) {
  for (const char* seq : {"fC", "iC", "sC", "2iC"}) {
    EXPECT_EQ(Run(Esc(seq) + "a"), "61") << seq;
    EXPECT_EQ(rc, OPOS_E_ILLEGAL) << seq;
  }
  EXPECT_EQ(Run(Esc("zC") + "a"), "61");
  EXPECT_EQ(rc, OPOS_E_FAILURE);
}

// --- character size byte: kept in the printer's state between calls ---

TEST_F(TranslateText, WidthAndHeightNibblesPersistBetweenCalls) {
  EXPECT_EQ(Run(Esc("2hC") + "a"), "1D 21 10 61");
  EXPECT_EQ(Run(Esc("3vC") + "b"), "1D 21 12 62");
  EXPECT_EQ(Run(Esc("8hC") + Esc("1vC") + "c"), "1D 21 70 63");
  EXPECT_EQ(state.characterSize, 0x70);
}

TEST_F(TranslateText, SizeIsSentAfterStyleAndOnlyOncePerChange) {
  EXPECT_EQ(Run(Esc("2hC") + Esc("bC") + "ab"), "1B 21 08 1D 21 10 61 62");
}

TEST_F(TranslateText, SizeOutsideOneToEightIsIllegalAndKeepsTheByte) {
  state.characterSize = 0x21;
  for (const char* bad : {"0hC", "9hC", "hC", "9vC", "vC"}) {
    EXPECT_EQ(Run(Esc(bad) + "a"), "61") << bad;
    EXPECT_EQ(rc, OPOS_E_ILLEGAL) << bad;
  }
  EXPECT_EQ(state.characterSize, 0x21);
}

TEST_F(TranslateText, SizesOfTwoPrinterStatesAreIndependent) {
  PrintState other = QuietState();
  Run(Esc("4hC"));
  EXPECT_EQ(Body(other, Esc("2vC") + "a"), "1D 21 01 61");
  EXPECT_EQ(state.characterSize, 0x30);
}

// --- ESC|N: back to the settings of the call's start ---

TEST_F(TranslateText, NormalSendsSavedPrefixSizeResetAndReverseOff) {
  state.characterSize = 0x11;
  EXPECT_EQ(Run(Esc("N")), "1B 3D 01 1B 61 00 1B 21 00 1D 21 00 1D 42 00");
  EXPECT_EQ(state.characterSize, 0);
  EXPECT_EQ(rc, 0);
}

TEST_F(TranslateText, NormalAfterStylesNeedsNoFurtherStyleCommand) {
  // The saved prefix already put the printer back to the plain font.
  EXPECT_EQ(Run(Esc("4C") + "a" + Esc("N") + "b"),
            "1B 21 30 61 1B 3D 01 1B 61 00 1B 21 00 1D 21 00 1D 42 00 62");
}

TEST_F(TranslateText, StyleAskedForAgainAfterNormalIsSentAgain) {
  EXPECT_EQ(Run(Esc("bC") + "a" + Esc("N") + Esc("bC") + "b"),
            "1B 21 08 61 1B 3D 01 1B 61 00 1B 21 00 1D 21 00 1D 42 00 1B 21 08 62");
}

TEST_F(TranslateText, NormalRepeatsTheSettingsTheCallResent) {
  state.codePage = 2;
  state.resendFlags = RESEND_CODE_PAGE;
  std::string out;
  TranslatePrintData(state, Esc("N"), &out);
  const std::string prefix = "1B 3D 01 1B 61 00 1B 74 02 1B 21 00";
  EXPECT_EQ(HexOf(out), prefix + " " + prefix + " 1D 21 00 1D 42 00 1B 3D 01 1B 61 00 1B 21 00 1D 42 00");
}

// --- alignment, colour, reverse ---

TEST_F(TranslateText, AlignmentCentreAndRight) {
  EXPECT_EQ(Run(Esc("cA") + "a" + Esc("rA")), "1B 61 01 61 1B 61 02");
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(Run(Esc("1cA")), "1B 61 01");
  EXPECT_EQ(rc, OPOS_E_FAILURE);
  for (const char* bad : {"lA", "A", "3A"}) {
    EXPECT_EQ(Run(Esc(bad)), "") << bad;
    EXPECT_EQ(rc, OPOS_E_FAILURE) << bad;
  }
}

TEST_F(TranslateText, SecondColourFollowsCommandClassAndCapability) {
  EXPECT_EQ(Run(Esc("rC")), "");
  EXPECT_EQ(rc, 0);
  state.capRecColor = 1;
  std::string out;
  TranslatePrintData(state, Esc("rC"), &out);
  EXPECT_NE(out.find(Bytes("1B 72 01")), std::string::npos);
  state.printerType = 2;
  out.clear();
  TranslatePrintData(state, Esc("rC"), &out);
  EXPECT_NE(out.find(Bytes("1D 28 4E 02 00 30 32")), std::string::npos);
}

TEST_F(TranslateText, ReverseNeedsTheWholeSequence) {
  EXPECT_EQ(Run(Esc("rvC") + "a"), "1D 42 01 61");
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(Run(Esc("rvX")), "58");
  EXPECT_EQ(rc, OPOS_E_FAILURE);
  EXPECT_EQ(Run(Esc("rv")), "");
  EXPECT_EQ(rc, OPOS_E_FAILURE);
  EXPECT_EQ(Run(Esc("xvC")), "43");
  EXPECT_EQ(rc, OPOS_E_FAILURE);
}

}  // namespace
