// Kanji mode, UTF-8 mode, Thai marks and the 24-dot glyphs: what the paper,
// the text reply and the command log show for the bytes CJK printers get.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/tools/vprinter/rig.h"
#include "tools/vprinter/render/font.h"
#include "tools/vprinter/render/wide_font.h"
#include "tools/vprinter/text/text_decoder.h"

namespace vprinter::test {
namespace {

const std::string kKanjiOn = hex("1C26"), kKanjiOff = hex("1C2E"), kUtf8On = hex("1C284302003001");

std::string fileText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

// Columns [x0, x1) of the paper holding ink in any row.
int inkedColumns(const Bitmap& b, int x0, int x1) {
  int n = 0;
  for (int x = x0; x < x1 && x < b.w; ++x)
    for (int y = 0; y < b.h; ++y)
      if (b.at(x, y)) {
        ++n;
        break;
      }
  return n;
}

int firstInkRow(const Bitmap& b) {
  for (int y = 0; y < b.h; ++y)
    for (int x = 0; x < b.w; ++x)
      if (b.at(x, y)) return y;
  return -1;
}

int rightmostInk(const Bitmap& b) {
  int right = -1;
  for (int y = 0; y < b.h; ++y)
    for (int x = 0; x < b.w; ++x)
      if (b.at(x, y)) right = std::max(right, x);
  return right;
}

bool fontsInstalled() { return !fullWidthFont().empty() && !halfWidthFont().empty(); }

TEST(KanjiMode, EachCodeDecodesExactly) {
  struct Case {
    Multibyte family;
    std::string select;  // FS C n for the Japanese codes
    std::string bytes;
    const char* text;
  } cases[] = {
      {Multibyte::ShiftJis, "", hex("93FA 967B 8CEA B1 41 8740"), "日本語ｱA①"},
      {Multibyte::ShiftJis, hex("1C4300"), hex("467C 4B5C 386C"), "日本語"},
      {Multibyte::ShiftJis, hex("1C4332"), hex("93FA 967B 8CEA"), "日本語"},
      {Multibyte::Gb18030, "", hex("D6D0 CEC4 A2E3 81308938") + "1", "中文€ß1"},
      {Multibyte::Big5, "", hex("A4A4 A4E5") + "$", "中文$"},
      {Multibyte::Ksc5601, "", hex("C7D1 B1B9 BEEE"), "한국어"},
  };
  for (const Case& c : cases) {
    Rig rig(c.family);
    const std::string log = rig.opts.outDir + "/commands.jsonl";
    ASSERT_TRUE(rig.printer.openLog(log));
    rig.send(c.select + kKanjiOn + c.bytes + kKanjiOff + "\n");
    EXPECT_EQ(rig.printer.receipts().text(), std::string(c.text) + "\n") << c.text;
    EXPECT_NE(fileText(log).find(std::string("\"text\":\"") + c.text + "\""), std::string::npos)
        << c.text << "\n" << fileText(log);
  }
}

TEST(KanjiMode, OffAndOtherCodesStaySingleByte) {
  Rig rig;
  rig.send(hex("93FA") + "\n" + hex("1C4300") + "\n");  // no FS &: PC437; FS C alone changes nothing
  EXPECT_EQ(rig.printer.receipts().text(), "ô·\n\n");
  Rig big5(Multibyte::Big5);
  const std::string log = big5.opts.outDir + "/commands.jsonl";
  ASSERT_TRUE(big5.printer.openLog(log));
  big5.send(hex("1C4300") + kKanjiOn + hex("A4A4") + "\n");
  EXPECT_EQ(big5.printer.receipts().text(), "中\n");
  EXPECT_NE(fileText(log).find("ignored: Kanji mode reads one code"), std::string::npos);
}

TEST(KanjiMode, CharactersSplitAcrossWritesAndBrokenOnes) {
  Rig rig;
  const std::string log = rig.opts.outDir + "/commands.jsonl";
  ASSERT_TRUE(rig.printer.openLog(log));
  rig.send(kKanjiOn + "A\x93");
  rig.send("\xFA" "B");
  // A lead byte with no trail byte, before a command and before a byte
  // that cannot follow it: one replacement each, nothing else lost.
  rig.send("\x93" + hex("1B4501") + "\x93" " C\n");
  EXPECT_EQ(rig.printer.receipts().text(), "A日B\uFFFD\uFFFD C\n");
  const std::string lines = fileText(log);
  EXPECT_NE(lines.find("\"text\":\"A\""), std::string::npos) << lines;
  EXPECT_NE(lines.find("\"text\":\"日B\""), std::string::npos) << lines;

  Rig gb(Multibyte::Gb18030);
  gb.send(kKanjiOn + hex("8130"));
  gb.send(hex("89") + hex("38") + hex("81FF") + "\n");  // a four-byte character in two writes, then a bad pair
  EXPECT_EQ(gb.printer.receipts().text(), "ß\uFFFD\u00A0\n");  // FF starts nothing: PC437
}

TEST(Utf8Mode, DecodesAndReplacesIllFormedBytes) {
  Rig rig;
  rig.send(kUtf8On + "Ab日本\xC3\xA9\xF0\x9F\x98\x80" "\xE6\x97" "\xC0\xAF" "\xED\xA0\x80" "z\n");
  EXPECT_EQ(rig.printer.receipts().text(),
            "Ab日本é\U0001F600\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFDz\n");
  rig.send(hex("1C284302003000") + "\xE9\n");  // back to the ESC t table
  EXPECT_EQ(rig.printer.receipts().text().substr(rig.printer.receipts().text().size() - 3), "Θ\n");
  rig.send(hex("1B40") + "\xE9\n");  // ESC @ ends UTF-8 mode too
  const std::string all = rig.printer.receipts().text();
  EXPECT_EQ(all.substr(all.size() - 3), "Θ\n");
}

TEST(ThaiPage, MarksSitOnThePreviousCell) {
  Rig rig;
  const std::string log = rig.opts.outDir + "/commands.jsonl";
  ASSERT_TRUE(rig.printer.openLog(log));
  rig.send(hex("1B7424") + hex("CAC7D1CAB4D5") + "\n");  // PC874: four letters, two marks
  EXPECT_EQ(rig.printer.receipts().text(), "สวัสดี\n");
  EXPECT_NE(fileText(log).find("\"text\":\"สวัสดี\""), std::string::npos);
  Bitmap paper = rig.printer.receipts().current();
  EXPECT_LT(rightmostInk(paper), 4 * 12);  // four cells, no more
  EXPECT_GE(rightmostInk(paper), 3 * 12);
  EXPECT_EQ(fileText(log).find("no glyph"), std::string::npos);
}

TEST(Glyphs, KanjiCellsCarryTheFontsGlyphsAndStyles) {
  if (!fontsInstalled()) GTEST_SKIP() << "xfonts-efont-unicode not installed";
  Rig rig;
  rig.send(kKanjiOn + hex("93FA") + "\n");
  Bitmap paper = rig.printer.receipts().current();
  Bitmap want = fullWidthFont().glyph(U'日');
  ASSERT_EQ(want.w, 24);
  int ink = 0, differ = 0, dy = firstInkRow(paper) - firstInkRow(want);
  for (int y = 0; y < 24; ++y)
    for (int x = 0; x < 24; ++x) {
      ink += want.at(x, y);
      differ += want.at(x, y) != (y + dy >= 0 && y + dy < paper.h ? paper.at(x, y + dy) : 0);
    }
  EXPECT_GT(ink, 40);
  EXPECT_EQ(differ, 0);
  EXPECT_EQ(inkedColumns(paper, 24, paper.w), 0);

  // FS ! 4 doubles the Kanji's width only; FS S adds spacing; ASCII stays 12 wide.
  Rig wide;
  wide.send(hex("1C2104 1C530306") + kKanjiOn + hex("93FA") + "A\n");
  Bitmap w = wide.printer.receipts().current();
  EXPECT_EQ(inkedColumns(w, 0, 6), 0);              // left spacing 3 dots, doubled
  EXPECT_GT(inkedColumns(w, 6, 54), 20);            // the character, 48 wide
  EXPECT_EQ(inkedColumns(w, 54, 66), 0);            // right spacing 6, doubled
  EXPECT_GT(inkedColumns(w, 66, 66 + 12), 4);       // then 'A'
  EXPECT_EQ(inkedColumns(w, 66 + 12, w.w), 0);
}

TEST(Glyphs, UserDefinedKanjiReplacesItsCode) {
  Rig rig;
  std::string define = hex("1C32 F040");
  for (int col = 0; col < 24; ++col) define += col < 12 ? hex("FFFFFF") : hex("000000");
  rig.send(define + kKanjiOn + hex("F040") + "\n");
  Bitmap paper = rig.printer.receipts().current();
  EXPECT_EQ(inkedColumns(paper, 0, 12), 12);
  EXPECT_EQ(inkedColumns(paper, 12, paper.w), 0);
}

TEST(KatakanaPage, RulesPrintAsUnbrokenLines) {
  if (!fontsInstalled()) GTEST_SKIP() << "xfonts-efont-unicode not installed";
  Rig rig;
  const std::string log = rig.opts.outDir + "/commands.jsonl";
  ASSERT_TRUE(rig.printer.openLog(log));
  rig.send(hex("1B7401") + std::string(48, '\x95') + "\n" + hex("80 87 8F 98 9F") + "\n");
  std::string rule;
  for (int i = 0; i < 48; ++i) rule += "─";
  EXPECT_EQ(rig.printer.receipts().text(), rule + "\n▁█┼┌╯\n");
  EXPECT_EQ(fileText(log).find("no glyph"), std::string::npos);
  Bitmap paper = rig.printer.receipts().current();
  int longest = 0;
  for (int y = 0; y < paper.h; ++y) {
    int run = 0;
    for (int x = 0; x < paper.w; ++x) longest = std::max(longest, run = paper.at(x, y) ? run + 1 : 0);
  }
  EXPECT_EQ(longest, 576);
}

TEST(InternationalSets, AsianSetsReplaceTheirPositions) {
  Rig rig;
  rig.send(hex("1B5208") + "\\" + hex("1B520D") + "\\" + hex("1B520F") + "$" + hex("1B5210") + "$" +
           hex("1B520E") + "@\n");
  EXPECT_EQ(rig.printer.receipts().text(), "¥₩¥₫Ž\n");
}

TEST(KanjiCommands, DecodeWithTheirParameters) {
  std::vector<Command> got =
      decodeAll(hex("1C2841 0200 3001 1C2843 0200 3001 1C2843 0300 3C 00 0B 1C5701 1C2D02 1C2180"));
  ASSERT_EQ(got.size(), 6u);
  const struct {
    const char* name;
    std::vector<int> args;
  } want[] = {{"kanji-font", {48, 1}}, {"char-encoding", {48, 1}}, {"font-priority", {60, 0, 11}},
              {"kanji-quad", {1}},     {"kanji-underline", {2}},   {"kanji-mode", {0x80}}};
  for (std::size_t i = 0; i < got.size(); ++i) {
    EXPECT_STREQ(got[i].name, want[i].name);
    EXPECT_EQ(got[i].args, want[i].args) << want[i].name;
  }
}

TEST(TextDecoderUnit, FlagsWidthAndMarks) {
  TextDecoder d;
  d.mode.utf8 = true;
  std::vector<TextChar> out;
  d.decode("a\xE6\x97\xA5\xE0\xB8\xB1", out);  // a, 日, Thai mai han-akat
  ASSERT_EQ(out.size(), 3u);
  EXPECT_FALSE(out[0].wide);
  EXPECT_TRUE(out[1].wide);
  EXPECT_TRUE(out[2].combining);
  out.clear();
  d.decode("\xE6\x97", out);
  EXPECT_TRUE(out.empty());
  EXPECT_TRUE(d.pending());
  d.flush(out);
  ASSERT_EQ(out.size(), 1u);
  EXPECT_EQ(out[0].cp, U'\uFFFD');
}

}  // namespace
}  // namespace vprinter::test
