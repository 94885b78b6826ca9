// Feed and cut sequences, the feed rule, and the failures that print the
// following byte as text.
#include <gtest/gtest.h>

#include "common/opos.h"
#include "pipeline_test_util.h"
#include "service/pipeline/paper_feed.h"
#include "service/pipeline/translator.h"

namespace {

using opos::OPOS_E_FAILURE;

std::string Esc(std::string_view rest) { return "\x1B|" + std::string(rest); }

class TranslatePaper : public ::testing::Test {
 protected:
  PrintState state = QuietState();  // 30 dots line spacing: 60 half dots a line
  int32_t rc = -1;
  std::string Run(std::string_view data) { return Body(state, data, &rc); }
};

std::string Feed(int64_t halfDots, int32_t lineSpacingDots) {
  StringSink out;
  EmitFeed(out, halfDots, lineSpacingDots);
  return HexOf(out.bytes());
}

// --- feed rule ---

TEST(FeedRule, WholeLinesFineFeedOrBoth) {
  EXPECT_EQ(Feed(120, 30), "1B 64 02");
  EXPECT_EQ(Feed(200, 30), "1B 4A C8");
  EXPECT_EQ(Feed(255, 30), "1B 4A FF");
  EXPECT_EQ(Feed(400, 30), "1B 64 06 1B 4A 28");
}

TEST(FeedRule, LimitedToTheLongestFeed) {
  EXPECT_EQ(Feed(4200, 30), "1B 64 3F");
  EXPECT_EQ(Feed(kMaxFeedHalfDots + 1, 24), Feed(kMaxFeedHalfDots, 24));
}

TEST(FeedRule, NothingForNoDistance) {
  EXPECT_EQ(Feed(0, 30), "");
  EXPECT_EQ(Feed(-60, 30), "");
}

TEST(FeedRule, WithoutLineSpacingOnlyFineFeedsAreUsed) {
  EXPECT_EQ(Feed(600, 0), "1B 4A FF 1B 4A FF 1B 4A 5A");
  EXPECT_EQ(Feed(10, -3), "1B 4A 0A");
}

TEST(FeedRule, CountsAboveOneByteAreSplit) {
  // One dot of line spacing: 3780 half dots are 1890 lines.
  EXPECT_EQ(Feed(3780, 1), "1B 64 FF 1B 64 FF 1B 64 FF 1B 64 FF 1B 64 FF 1B 64 FF 1B 64 FF 1B 64 69");
}

// --- ESC|#lF and ESC|#uF ---

TEST_F(TranslatePaper, LineFeedCountsZeroAsOne) {
  EXPECT_EQ(Run(Esc("lF")), "1B 64 01");
  EXPECT_EQ(Run(Esc("0lF")), "1B 64 01");
  EXPECT_EQ(Run(Esc("3lF")), "1B 64 03");
  EXPECT_EQ(Run(Esc("70lF")), "1B 64 3F");
  EXPECT_EQ(Run(Esc("2147483647lF")), "1B 64 3F");
  EXPECT_EQ(rc, 0);
}

TEST_F(TranslatePaper, UnitFeedInDots) {
  EXPECT_EQ(Run(Esc("100uF")), "1B 4A C8");
  EXPECT_EQ(Run(Esc("200uF")), "1B 64 06 1B 4A 28");
  EXPECT_EQ(Run(Esc("30uF")), "1B 64 01");
  EXPECT_EQ(Run(Esc("uF")), "1B 4A 02");
  EXPECT_EQ(Run(Esc("2147483647uF")), "1B 64 3F");
}

TEST_F(TranslatePaper, UnitFeedOfOneInchInEveryMapMode) {
  // 180 dpi: one inch is 360 half dots, six lines of 60.
  const struct {
    int32_t mapMode;
    const char* seq;
  } inch[] = {{opos::PTR_MM_DOTS, "180uF"},
              {opos::PTR_MM_TWIPS, "1440uF"},
              {opos::PTR_MM_ENGLISH, "1000uF"},
              {opos::PTR_MM_METRIC, "2540uF"}};
  for (const auto& c : inch) {
    state.mapMode = c.mapMode;
    EXPECT_EQ(Run(Esc(c.seq)), "1B 64 06") << c.mapMode;
  }
  state.mapMode = opos::PTR_MM_TWIPS;
  EXPECT_EQ(Run(Esc("240uF")), "1B 64 01");
}

TEST_F(TranslatePaper, FeedDoesNotFlushAPendingStyle) {
  EXPECT_EQ(Run(Esc("bC") + Esc("lF") + "a"), "1B 64 01 1B 21 08 61");
}

// --- ESC|#P and ESC|#fP ---

TEST_F(TranslatePaper, CutAndFeedThenCut) {
  EXPECT_EQ(Run(Esc("P")), "1D 56 01");
  EXPECT_EQ(Run(Esc("100P")), "1D 56 01");
  EXPECT_EQ(Run(Esc("fP")), "0A 0A 0A 0A 1D 56 01");
  EXPECT_EQ(Run(Esc("50fP")), "0A 0A 0A 0A 1D 56 01");
  EXPECT_EQ(rc, 0);
}

TEST_F(TranslatePaper, LinesToTheCutterAreBounded) {
  state.recLinesToPaperCut = -2;
  EXPECT_EQ(Run(Esc("fP")), "1D 56 01");
  state.recLinesToPaperCut = 1000000;
  std::string out;
  TranslatePrintData(state, Esc("fP"), &out);
  EXPECT_EQ(std::count(out.begin(), out.end(), '\x0A'), 255);
}

TEST_F(TranslatePaper, CutRefusedWithoutCutterOrAboveHundredPercent) {
  EXPECT_EQ(Run(Esc("101P")), "");
  EXPECT_EQ(rc, OPOS_E_FAILURE);
  EXPECT_EQ(Run(Esc("101fP")), "");
  EXPECT_EQ(rc, OPOS_E_FAILURE);
  state.capRecPapercut = 0;
  for (const char* seq : {"P", "fP"}) {
    EXPECT_EQ(Run(Esc(seq)), "") << seq;
    EXPECT_EQ(rc, OPOS_E_FAILURE) << seq;
  }
}

// --- failures that print the following byte as text ---

TEST_F(TranslatePaper, RefusedFeedOrCutPrintsTheNextByteAsText) {
  for (const char* seq : {"F", "3F", "xF", "101P", "xP", "3xP"}) {
    EXPECT_EQ(Run(Esc(seq) + "ab"), "61 62") << seq;
    EXPECT_EQ(rc, OPOS_E_FAILURE) << seq;
  }
}

TEST_F(TranslatePaper, ByteAfterARefusalIsNotTheStartOfASequence) {
  EXPECT_EQ(Run(Esc("xF") + Esc("bC") + "a"), "1B 7C 62 43 61");
  // The copied byte still gets the style it is printed in.
  EXPECT_EQ(Run(Esc("bC") + Esc("101P") + "a"), "1B 21 08 61");
}

TEST_F(TranslatePaper, RefusalAtTheEndOfTheDataAddsNothing) {
  for (const char* seq : {"F", "101P", "xP"}) {
    EXPECT_EQ(Run("a" + Esc(seq)), "61") << seq;
    EXPECT_EQ(rc, OPOS_E_FAILURE) << seq;
    EXPECT_EQ(Run(std::string("a") + Esc(seq) + std::string("\0" "b", 2)), "61") << seq;
  }
}

}  // namespace
