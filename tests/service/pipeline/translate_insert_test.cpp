// Sequences that insert bytes unchanged: stored bitmaps, embedded printer
// data and stored logos.
#include <gtest/gtest.h>

#include "common/opos.h"
#include "pipeline_test_util.h"
#include "service/pipeline/translator.h"

namespace {

using opos::OPOS_E_FAILURE;

std::string Esc(std::string_view rest) { return "\x1B|" + std::string(rest); }

class TranslateInsert : public ::testing::Test {
 protected:
  PrintState state = QuietState();
  int32_t rc = -1;
  std::string Run(std::string_view data) { return Body(state, data, &rc); }
};

TEST_F(TranslateInsert, StoredBitmapsComeOutPartByPartInOrder) {
  state.bitmaps[0] = {Bytes("1D 76 30"), Bytes("01 02")};
  state.bitmaps[1] = {Bytes("AA")};
  EXPECT_EQ(Run(Esc("1B") + Esc("2B")), "1D 76 30 01 02 AA");
  EXPECT_EQ(rc, 0);
}

// A stored band image puts back the spacing in force when it is printed;
// other command classes and bitmaps stored as plain strings get nothing.
TEST_F(TranslateInsert, StoredBandBitmapEndsWithTheSpacingInForce) {
  state.bitmaps[0] = {Bytes("1B 33 10"), Bytes("1B 2A 00")};
  state.bitmapRestoresSpacing[0] = true;
  state.lineSpacingDots = 40;
  EXPECT_EQ(Run(Esc("1B")), "1B 33 10 1B 2A 00 1B 33 50");
  state.lineSpacingDots = 24;
  EXPECT_EQ(Run(Esc("1B")), "1B 33 10 1B 2A 00 1B 33 30");
  state.printerType = 2;
  EXPECT_EQ(Run(Esc("1B")), "1B 33 10 1B 2A 00");
  state.printerType = 1;
  state.bitmapRestoresSpacing[0] = false;
  EXPECT_EQ(Run(Esc("1B")), "1B 33 10 1B 2A 00");
}

TEST_F(TranslateInsert, MissingBitmapIsNothingAndOtherNumbersFail) {
  EXPECT_EQ(Run(Esc("1B")), "");
  EXPECT_EQ(rc, 0);
  state.bitmaps[0] = {Bytes("AA")};
  for (const char* bad : {"3B", "B", "0B", "1xB"}) {
    EXPECT_EQ(Run(Esc(bad)), "") << bad;
    EXPECT_EQ(rc, OPOS_E_FAILURE) << bad;
  }
}

TEST_F(TranslateInsert, EmbeddedBytesPassUntranslated) {
  EXPECT_EQ(Run(Esc("4E") + Esc("bC") + "a"), "1B 7C 62 43 61");
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(Run(Esc("E") + Esc("0E") + "a"), "61");
  EXPECT_EQ(rc, 0);
}

TEST_F(TranslateInsert, EmbeddedBytesDoNotFlushAPendingStyle) {
  EXPECT_EQ(Run(Esc("bC") + Esc("1E") + "ab"), "61 1B 21 08 62");
}

TEST_F(TranslateInsert, EmbeddedCountBeyondTheDataCopiesWhatIsThereAndFails) {
  EXPECT_EQ(Run(Esc("10E") + "ab"), "61 62");
  EXPECT_EQ(rc, OPOS_E_FAILURE);
  EXPECT_EQ(Run(Esc("5E") + std::string("ab\0" "cdef", 7)), "61 62");
  EXPECT_EQ(rc, OPOS_E_FAILURE);
  EXPECT_EQ(Run(Esc("2147483647E")), "");
  EXPECT_EQ(rc, OPOS_E_FAILURE);
}

TEST_F(TranslateInsert, EmbeddedBlocksLargerThanAnyBufferPassWhole) {
  const std::string block(5000, '\x1B');
  const std::string body = Run(Esc("5000E") + block + "a");
  EXPECT_EQ(rc, 0);
  EXPECT_EQ(body, HexOf(block + "a"));
}

TEST_F(TranslateInsert, LogosAreInsertedAsStoredWithoutTranslation) {
  state.topLogo = Esc("bC") + "TOP";
  state.topLogoSet = true;
  state.bottomLogo = "END";
  state.bottomLogoSet = true;
  EXPECT_EQ(Run(Esc("tL") + Esc("bL")), "1B 7C 62 43 54 4F 50 45 4E 44");
  EXPECT_EQ(rc, 0);
}

TEST_F(TranslateInsert, LogoNotSetIsNothingAndBadFormsFail) {
  EXPECT_EQ(Run(Esc("tL") + Esc("bL")), "");
  EXPECT_EQ(rc, 0);
  state.topLogo = "X";
  state.topLogoSet = true;
  for (const char* bad : {"1tL", "L", "xL"}) {
    EXPECT_EQ(Run(Esc(bad)), "") << bad;
    EXPECT_EQ(rc, OPOS_E_FAILURE) << bad;
  }
}

}  // namespace
