// Display order and drawn runs, held to the same expectations natively and
// on Windows: the code points of the display order exactly, the pictures by
// their size, ink and the properties shaping must give them.
#include "platform/text_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <thread>
#include <utility>
#include <vector>

namespace {

using platform::DrawTextRun;
using platform::TextPicture;
using platform::VisualOrder;

TEST(VisualOrder, LeftToRightTextAndEmptyLinesStayAsTheyAre) {
  EXPECT_EQ(VisualOrder(U""), U"");
  EXPECT_EQ(VisualOrder(U"Total 12.50 (cash)"), U"Total 12.50 (cash)");
  EXPECT_EQ(VisualOrder(U"123 - 456"), U"123 - 456");  // no strong character: left to right
  EXPECT_EQ(VisualOrder(U"Ελληνικά Кириллица"), U"Ελληνικά Кириллица");
}

TEST(VisualOrder, HebrewReversedWithLatinAndDigitsKeptReadable) {
  EXPECT_EQ(VisualOrder(U"שלום"), U"םולש");
  // Right-to-left paragraph: the Latin word and its number stay in reading order.
  EXPECT_EQ(VisualOrder(U"שלום World 123"), U"World 123 םולש");
  // Left-to-right paragraph: the number after a Hebrew word goes to its left.
  EXPECT_EQ(VisualOrder(U"Price: שקל 100"), U"Price: 100 לקש");
  EXPECT_EQ(VisualOrder(U"סה\"כ 12.50"), U"12.50 כ\"הס");
  // Paragraph direction comes from the first strong character, past neutrals.
  EXPECT_EQ(VisualOrder(U"1. שלום"), U"םולש .1");
}

TEST(VisualOrder, BracketsInRightToLeftRunsAreMirrored) {
  EXPECT_EQ(VisualOrder(U"(שלום)"), U"(םולש)");
  EXPECT_EQ(VisualOrder(U"שלום [אב] <גד>"), U"<דג> [בא] םולש");
  EXPECT_EQ(VisualOrder(U"abc (de)"), U"abc (de)");  // left to right: untouched
}

TEST(VisualOrder, EveryKindOfBracketIsMirroredBetweenHebrewLetters) {
  const std::pair<char32_t, char32_t> pairs[] = {
      {U'(', U')'},         {U'[', U']'},         {U'{', U'}'},         {U'<', U'>'},
      {U'\u00AB', U'\u00BB'}, {U'\u2039', U'\u203A'}, {U'\u2045', U'\u2046'}, {U'\u207D', U'\u207E'},
      {U'\u2264', U'\u2265'}, {U'\u2208', U'\u220B'}, {U'\u2308', U'\u2309'}, {U'\u3008', U'\u3009'},
      {U'\u300A', U'\u300B'}, {U'\u300C', U'\u300D'}, {U'\u3010', U'\u3011'}, {U'\uFF08', U'\uFF09'},
      {U'\uFF3B', U'\uFF3D'}, {U'\uFF5B', U'\uFF5D'}, {U'\uFF62', U'\uFF63'}, {U'\u27E8', U'\u27E9'},
  };
  for (const auto& [open, close] : pairs) {
    SCOPED_TRACE(testing::Message() << std::hex << static_cast<uint32_t>(open));
    const std::u32string logical = {U'\u05D0', open, U'\u05D1', close, U'\u05D2'};
    const std::u32string visual = {U'\u05D2', open, U'\u05D1', close, U'\u05D0'};
    EXPECT_EQ(VisualOrder(logical), visual);
    // Between Latin letters nothing is mirrored.
    const std::u32string latin = {U'a', open, U'b', close, U'c'};
    EXPECT_EQ(VisualOrder(latin), latin);
  }
  EXPECT_EQ(VisualOrder(U"א+ב=ג"), U"ג=ב+א");  // no mirrored form: unchanged
}

TEST(VisualOrder, MarksAndExplicitDirectionsFollowTheAlgorithm) {
  // A right-to-left mark makes the paragraph right to left.
  EXPECT_EQ(VisualOrder(U"\u200Fabc 12"), U"abc 12\u200F");
  // Hebrew points stay after their letter in logical order, so before it on display.
  EXPECT_EQ(VisualOrder(U"\u05E9\u05C1\u05DC"), U"\u05DC\u05C1\u05E9");
  // Digits between Hebrew words keep their order; the words around them turn.
  EXPECT_EQ(VisualOrder(U"אב 12 גד"), U"דג 12 בא");
  EXPECT_EQ(VisualOrder(U"abc אב 12 גד xyz"), U"abc דג 12 בא xyz");
}

TEST(VisualOrder, ArabicLettersReversedAndEuropeanDigitsAfterThemKeepTheirOrder) {
  EXPECT_EQ(VisualOrder(U"سلام"), U"مالس");
  EXPECT_EQ(VisualOrder(U"عدد 123"), U"123 ددع");
}

TEST(VisualOrder, EveryCodePointComesOutOnceAndNoSurrogateHalves) {
  const std::u32string odd = {0xD800, U'a', 0xDFFF, 0x110000, 0x05D0, 0x0001, 0x000A, 0x202E, U'b'};
  const std::u32string out = VisualOrder(odd);
  ASSERT_EQ(out.size(), odd.size());
  for (char32_t c : out) EXPECT_FALSE((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) << std::hex << c;
  EXPECT_EQ(std::count(out.begin(), out.end(), U'\uFFFD'), 3);

  std::u32string mixed;
  for (int i = 0; i < 10000; ++i) mixed += static_cast<char32_t>(i % 3 == 0 ? U'a' : i % 3 == 1 ? U'א' : U' ');
  const std::u32string long_out = VisualOrder(mixed);
  ASSERT_EQ(long_out.size(), mixed.size());
  EXPECT_EQ(std::count(long_out.begin(), long_out.end(), U'א'), std::count(mixed.begin(), mixed.end(), U'א'));
}

TEST(VisualOrder, TellsWhereEachDisplayedCharacterCameFrom) {
  std::vector<uint32_t> from;
  // The brackets turn and are mirrored; the number keeps its order.
  const std::u32string logical = U"אב (גד) 12";
  const std::u32string visual = VisualOrder(logical, &from);
  EXPECT_EQ(visual, U"12 (דג) בא");
  EXPECT_EQ(from, (std::vector<uint32_t>{8, 9, 7, 6, 5, 4, 3, 2, 1, 0}));
  EXPECT_EQ(VisualOrder(U"abc", &from), U"abc");
  EXPECT_EQ(from, (std::vector<uint32_t>{0, 1, 2}));
  EXPECT_EQ(VisualOrder(U"", &from), U"");
  EXPECT_TRUE(from.empty());
}

// Ink rows and columns of a picture.
struct Ink {
  int32_t dots = 0;
  int32_t top = -1;
  int32_t bottom = -1;
};

Ink InkOf(const TextPicture& p) {
  Ink ink;
  for (int32_t y = 0; y < p.height; ++y) {
    for (int32_t x = 0; x < p.width; ++x) {
      if (p.dots[static_cast<size_t>(y) * p.width + x] == 0) continue;
      ++ink.dots;
      if (ink.top < 0) ink.top = y;
      ink.bottom = y;
    }
  }
  return ink;
}

TextPicture Draw(std::u32string_view run, int32_t height = 24, bool bold = false) {
  TextPicture p;
  EXPECT_TRUE(DrawTextRun(run, height, bold, &p)) << "run of " << run.size();
  EXPECT_EQ(p.height, height);
  EXPECT_EQ(p.dots.size(), static_cast<size_t>(p.width) * static_cast<size_t>(p.height));
  return p;
}

TEST(DrawTextRun, NothingToDrawIsRefusedAndLeavesThePictureEmpty) {
  TextPicture p;
  p.width = 3;
  p.dots.assign(3, 1);
  EXPECT_FALSE(DrawTextRun(U"", 24, false, &p));
  EXPECT_EQ(p.width, 0);
  EXPECT_TRUE(p.dots.empty());
  EXPECT_FALSE(DrawTextRun(U"abc", 0, false, &p));
  EXPECT_FALSE(DrawTextRun(U"abc", -24, false, &p));
  EXPECT_FALSE(DrawTextRun(U"abc", platform::kMaxTextPictureHeight + 1, false, &p));
}

TEST(DrawTextRun, LatinSitsOnTheCellsBaseline) {
  const TextPicture p = Draw(U"Hello");
  const Ink ink = InkOf(p);
  EXPECT_GT(p.width, 5 * 6);
  EXPECT_LT(p.width, 5 * 20);
  EXPECT_GE(ink.top, 0);
  EXPECT_GE(ink.bottom, 16);  // no descenders: ink ends on the baseline, about 80 % down
  EXPECT_LE(ink.bottom, 20);
  const Ink descending = InkOf(Draw(U"gjpq"));
  EXPECT_GT(descending.bottom, ink.bottom);
  EXPECT_LE(descending.bottom, 23);
}

TEST(DrawTextRun, EveryScriptGivesInkAtThePlausibleWidth) {
  struct Case {
    const char32_t* run;
    int32_t min_width;
    int32_t max_width;
  };
  const Case cases[] = {
      {U"שלום עולם", 40, 180},          // Hebrew
      {U"مرحبا بالعالم", 40, 250},       // Arabic
      {U"नमस्ते दुनिया", 40, 250},        // Devanagari
      {U"สวัสดีครับ", 30, 200},           // Thai with its marks
      {U"日本語の文字", 6 * 14, 6 * 26},  // CJK: about an em each
      {U"中文 한국어", 5 * 10, 6 * 26},
      {U"\U0001F600\U0001F44D", 2 * 10, 2 * 30},  // emoji
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
    for (int32_t height : {24, 48}) {
      const TextPicture p = Draw(c.run, height);
      EXPECT_GE(p.width, c.min_width * height / 24);
      EXPECT_LE(p.width, c.max_width * height / 24);
      const Ink ink = InkOf(p);
      EXPECT_GT(ink.dots, p.width * height / 40);
    }
  }
}

TEST(DrawTextRun, ArabicIsJoinedAndHebrewRunsRightToLeft) {
  // Joined letters take less room than the same letters drawn one by one.
  const std::u32string word = U"سلام";
  int32_t apart = 0;
  for (char32_t c : word) apart += Draw(std::u32string(1, c)).width;
  EXPECT_LT(Draw(word).width, apart);

  // The first letter of a Hebrew run is drawn at the right.
  const TextPicture alef = Draw(U"א");
  const TextPicture bet = Draw(U"ב");
  const TextPicture both = Draw(U"אב");
  ASSERT_EQ(both.width, alef.width + bet.width);
  int32_t differ_as_bet_first = 0;
  int32_t differ_as_alef_first = 0;
  for (int32_t y = 0; y < both.height; ++y) {
    for (int32_t x = 0; x < bet.width; ++x) {
      const uint8_t dot = both.dots[static_cast<size_t>(y) * both.width + x];
      differ_as_bet_first += dot != bet.dots[static_cast<size_t>(y) * bet.width + x];
      if (x < alef.width) differ_as_alef_first += dot != alef.dots[static_cast<size_t>(y) * alef.width + x];
    }
  }
  EXPECT_EQ(differ_as_bet_first, 0);
  EXPECT_GT(differ_as_alef_first, 0);
}

TEST(DrawTextRun, ATallerCellScalesTheTextAndItsBaseline) {
  const Ink small = InkOf(Draw(U"Hello", 24));
  const TextPicture big_picture = Draw(U"Hello", 48);
  const Ink big = InkOf(big_picture);
  EXPECT_GE(big.bottom, 2 * small.bottom - 2);
  EXPECT_LE(big.bottom, 2 * small.bottom + 2);
  EXPECT_GT(big.dots, 3 * small.dots);
  EXPECT_GE(big_picture.width, 2 * Draw(U"Hello", 24).width - 4);
}

TEST(DrawTextRun, BoldHasMoreInk) {
  EXPECT_GT(InkOf(Draw(U"Bold مرحبا", 24, true)).dots, InkOf(Draw(U"Bold مرحبا", 24, false)).dots * 6 / 5);
}

TEST(DrawTextRun, OddAndHugeInputNeverBreaksIt) {
  TextPicture p;
  const std::u32string odd = {0xD800, 0xDFFF, 0x110000, 0xFFFFFFFF, 0x0001, 0x0009, 0x000A, 0x007F,
                              0x0085, 0x202E, 0x200D, 0x0301, 0xFE0F, 0xE000, 0x10FFFF, U'x'};
  EXPECT_TRUE(DrawTextRun(odd, 24, false, &p));
  EXPECT_EQ(p.dots.size(), static_cast<size_t>(p.width) * static_cast<size_t>(p.height));
  for (char32_t c : odd) {
    if (DrawTextRun(std::u32string(1, c), 24, true, &p)) {
      EXPECT_EQ(p.dots.size(), static_cast<size_t>(p.width) * static_cast<size_t>(p.height));
    }
  }
  std::u32string huge;
  for (int i = 0; i < 10000; ++i) huge += U"aאب日\U0001F600\u0301 "[i % 7];
  ASSERT_TRUE(DrawTextRun(huge, 24, false, &p));
  EXPECT_EQ(p.width, platform::kMaxTextPictureWidth);  // cut at the widest picture
  EXPECT_TRUE(DrawTextRun(U"W", 1, false, &p));
  EXPECT_TRUE(DrawTextRun(U"W", platform::kMaxTextPictureHeight, false, &p));
  EXPECT_EQ(p.height, platform::kMaxTextPictureHeight);
}

TEST(DrawTextRun, ThreadsDrawTheSamePicturesAsOne) {
  const std::u32string runs[] = {U"مرحبا", U"नमस्ते", U"日本", U"שלום 12", U"\U0001F600"};
  std::vector<TextPicture> expected;
  for (const auto& r : runs) expected.push_back(Draw(r));
  std::vector<int> mismatches(4, 0);
  std::vector<std::thread> threads;
  for (size_t t = 0; t < mismatches.size(); ++t) {
    threads.emplace_back([&, t] {
      for (int round = 0; round < 5; ++round) {
        for (size_t i = 0; i < std::size(runs); ++i) {
          TextPicture p;
          if (!DrawTextRun(runs[i], 24, false, &p) || p.dots != expected[i].dots) ++mismatches[t];
          if (VisualOrder(runs[i]).size() != runs[i].size()) ++mismatches[t];
        }
      }
    });
  }
  for (auto& th : threads) th.join();
  for (int m : mismatches) EXPECT_EQ(m, 0);
}

}  // namespace
