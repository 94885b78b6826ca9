// What reaches the paper: text and styles, images, codes, page mode, cuts.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "tests/tools/vprinter/rig.h"
#include "tools/vprinter/render/barcode.h"
#include "tools/vprinter/render/code128.h"
#include "tools/vprinter/render/font.h"

namespace vprinter::test {
namespace {

bool fileExists(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && st.st_size > 0;
}

struct Box {
  int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
  int width() const { return x1 < 0 ? 0 : x1 - x0 + 1; }
  int height() const { return y1 < 0 ? 0 : y1 - y0 + 1; }
};
// Ink bounds, of one colour when colour is not 0.
Box inkBox(const Bitmap& b, std::uint8_t colour = 0) {
  Box box;
  for (int y = 0; y < b.h; ++y)
    for (int x = 0; x < b.w; ++x)
      if (b.at(x, y) && (!colour || b.at(x, y) == colour)) {
        box.x0 = std::min(box.x0, x), box.x1 = std::max(box.x1, x);
        box.y0 = std::min(box.y0, y), box.y1 = std::max(box.y1, y);
      }
  return box;
}

// The rows from `from` down, for checks on what one step added.
Bitmap rowsFrom(const Bitmap& b, int from) {
  Bitmap out(b.w, std::max(0, b.h - from));
  for (int y = 0; y < out.h; ++y)
    for (int x = 0; x < b.w; ++x) out.set(x, y, b.at(x, y + from));
  return out;
}

class Paper : public ::testing::Test {
 protected:
  std::string dir = scratchDir();
  Receipts paper{dir, 576};
  Renderer r{paper};
  std::vector<std::string> remarks;
  Bitmap print(const std::string& bytes) {
    Decoder d;
    d.feed(bytes, [&](const Command& c) {
      std::string remark = r.apply(c);
      if (!remark.empty()) remarks.push_back(remark);
    });
    return paper.current();
  }
};

TEST_F(Paper, TextIsInkedAndRecorded) {
  Bitmap b = print("Hello\n");
  Box box = inkBox(b);
  EXPECT_GT(box.width(), 4 * 12);  // five glyphs of font A
  EXPECT_LE(box.x1, 5 * 12);
  EXPECT_EQ(paper.y(), 30);  // default line spacing
  EXPECT_EQ(paper.text(), "Hello\n");
}

TEST_F(Paper, FontsSizesAndAlignment) {
  auto lineWidth = [&](const std::string& bytes) {
    Receipts p(scratchDir(), 576);
    Renderer rr(p);
    Decoder d;
    d.feed(bytes, [&](const Command& c) { rr.apply(c); });
    return inkBox(p.current());
  };
  Box fontA = lineWidth("WWWW\n"), fontB = lineWidth(hex("1B4D01") + "WWWW\n");
  Box wide = lineWidth(hex("1D2110") + "WWWW\n"), tall = lineWidth(hex("1B2110") + "WWWW\n");
  EXPECT_LT(fontB.width(), fontA.width());
  EXPECT_LT(fontB.height(), fontA.height());
  EXPECT_NEAR(wide.width(), 2 * fontA.width(), 3);
  EXPECT_NEAR(tall.height(), 2 * fontA.height(), 2);
  Box centre = lineWidth(hex("1B6101") + "WWWW\n"), right = lineWidth(hex("1B6102") + "WWWW\n");
  EXPECT_NEAR(centre.x0, (576 - 48) / 2, 3);
  EXPECT_NEAR(right.x1, 575, 3);
}

TEST_F(Paper, UnderlineReverseBoldColourAndUpsideDown) {
  auto render = [](const std::string& bytes) {
    Receipts p(scratchDir(), 576);
    Renderer rr(p);
    Decoder d;
    d.feed(bytes, [&](const Command& c) { rr.apply(c); });
    return p.current();
  };
  Bitmap plain = render("ab\n"), under = render(hex("1B2D02") + "ab\n");
  EXPECT_EQ(inkBox(under).y1, 23);  // two dots at the foot of the 24-dot cell
  EXPECT_GT(inkBox(plain).y1, 0);
  Bitmap rev = render(hex("1D4201") + "ab\n");
  EXPECT_EQ(inkBox(rev).width(), 24);  // the whole cells are inked
  auto count = [](const Bitmap& b) { return std::count_if(b.px.begin(), b.px.end(), [](auto p) { return p; }); };
  EXPECT_GT(count(render(hex("1B4501") + "ab\n")), count(plain));
  Bitmap red = render(hex("1B7201") + "ab\n");
  EXPECT_EQ(inkBox(red, 1).width(), 0);
  EXPECT_GT(inkBox(red, 2).width(), 0);
  Bitmap red2 = render(hex("1D284E02003032") + "ab\n");
  EXPECT_GT(inkBox(red2, 2).width(), 0);
  Bitmap flipped = render(hex("1B7B01") + "ab\n");
  EXPECT_GT(inkBox(flipped).x0, 500);  // the line is turned: its start is at the right
}

TEST_F(Paper, CodeTablesAndInternationalSets) {
  EXPECT_EQ(decodeByte(0x82, 0, 0), U'\u00E9');   // PC437
  EXPECT_EQ(decodeByte(0x80, 16, 0), U'\u20AC');  // WPC1252
  EXPECT_EQ(decodeByte(0xD5, 19, 0), U'\u20AC');  // PC858
  EXPECT_EQ(decodeByte('#', 0, 3), U'\u00A3');    // UK
  EXPECT_EQ(decodeByte('[', 0, 2), U'\u00C4');    // Germany
  EXPECT_EQ(decodeByte('A', 0, 2), U'A');
  print(hex("1B7410 80 1B5203 23") + "\n");
  EXPECT_EQ(paper.text(), "\u20AC\u00A3\n");
}

TEST_F(Paper, FeedsAndLineSpacing) {
  print(hex("1B3310") + "x\n");  // 8 dots of spacing, but the line is 24 tall
  EXPECT_EQ(paper.y(), 24);
  print(hex("1B4AC8"));  // 200 half dots
  EXPECT_EQ(paper.y(), 124);
  print(hex("1B333C 1B6402"));  // two lines of 30 dots
  EXPECT_EQ(paper.y(), 184);
  print(hex("1B32 0A"));
  EXPECT_EQ(paper.y(), 214);
}

TEST_F(Paper, RasterImagePixelsAreCopied) {
  Bitmap b = print(hex("1D763000 0200 0200 8001 0000"));  // 16 x 2, two dots set
  EXPECT_EQ(paper.y(), 2);
  EXPECT_EQ(b.at(0, 0), 1);
  EXPECT_EQ(b.at(15, 0), 1);
  EXPECT_EQ(b.at(1, 0), 0);
  EXPECT_EQ(b.at(0, 1), 0);
  Bitmap big = rowsFrom(print(hex("1D763003 0100 0100 80")), 2);  // quadruple
  EXPECT_EQ(inkBox(big).width(), 2);
  EXPECT_EQ(inkBox(big).height(), 2);
  EXPECT_EQ(paper.y(), 4);
}

TEST_F(Paper, BandImagesOverprintInTheirColours) {
  // Letter quality band: black line 0D, red line 0D, black 0D, red 0A.
  std::string black = hex("1B7200 1B2A00 0200 FF00"), red = hex("1B7201 1B2A00 0200 0080");
  Bitmap b = print(hex("1B3310") + black + "\r" + red + "\r" + black + "\r" + red + "\n");
  EXPECT_EQ(b.at(0, 0), 1);
  EXPECT_EQ(b.at(0, 7), 1);
  EXPECT_EQ(b.at(1, 0), 2);
  EXPECT_EQ(b.at(1, 1), 0);
  EXPECT_EQ(paper.y(), 8);
}

TEST_F(Paper, ColourGraphicsAndStoredImages) {
  std::string header1 = hex("3070 3001 0131 0800 0100"), header2 = hex("3070 3001 0132 0800 0100");
  Bitmap b = print(hex("1D284C0B00") + header1 + hex("F0") + hex("1D284C0B00") + header2 + hex("0F") +
                   hex("1D284C0200 3032"));
  EXPECT_EQ(b.at(0, 0), 1);
  EXPECT_EQ(b.at(7, 0), 2);
  EXPECT_EQ(paper.y(), 1);
  print(hex("1D284C0200 3032"));
  EXPECT_EQ(remarks.back(), "no graphics stored");
  // NV bit image 1: 8 columns, one byte each, top dot only.
  b = rowsFrom(print(hex("1C7101 0100 0100") + std::string(8, '\x80') + hex("1C700100")), 1);
  EXPECT_EQ(inkBox(b).width(), 8);
  EXPECT_EQ(paper.y(), 9);
  print(hex("1C703100"));
  EXPECT_EQ(remarks.back(), "no stored bit image 49");
  // NV graphics with key "A1", one plane of 8 x 1.
  b = print(hex("1D284C 0C00 3043 30 4131 01 0800 0100 31 FF") + hex("1D284C0600 3045 4131 0101"));
  EXPECT_EQ(paper.y(), 10);
  EXPECT_EQ(inkBox(rowsFrom(b, 9)).width(), 8);
}

TEST_F(Paper, BarCodesAndSymbolsAreDrawnFromTheData) {
  Bitmap b = print(hex("1D4802 1D6850 1D7702 1D6B49 05") + "{AABC");
  Box bars = inkBox(b);
  EXPECT_GE(bars.height(), 80 + 17);  // bars and HRI text below
  EXPECT_EQ(bars.x0, 0);
  int y = paper.y();
  b = print(hex("1D286B0400 31413200 1D286B0300 314304 1D286B0600 315030") + "abc" + hex("1D286B0300 315130"));
  EXPECT_EQ(paper.y() - y, 21 * 4);  // version 1 QR, 4 dots a module
  y = paper.y();
  print(hex("1D286B0D00 305030") + "0123456789" + hex("1D286B0300 305130"));
  EXPECT_GT(paper.y(), y);
  print(hex("1D6B41 03") + "12a");
  EXPECT_EQ(remarks.back().rfind("not printed", 0), 0u);
}

TEST(BarCodeData, Code128SetsAndUpcE) {
  EXPECT_EQ(code128Text("{AABC"), "ABC");
  EXPECT_EQ(code128Text(std::string("{C\x0c\x22", 4)), "1234");
  EXPECT_EQ(code128Text("{BA{{B"), "A{B");
  EXPECT_EQ(upcaToUpce("01210000345"), "0123451");
  EXPECT_EQ(upcaToUpce("04210000526"), "0425261");
  EXPECT_EQ(upcaToUpce("03450000067"), "0345673");
  EXPECT_EQ(upcaToUpce("012340000085"), "0123484");
  EXPECT_EQ(upcaToUpce("12345678901"), "");
  EXPECT_EQ(makeLinear(LinearSymbol{66, "01210000345", 2, 50}).bars.h, 50);
}

TEST_F(Paper, FeedAfterABandImageAdvancesAtLeastItsHeight) {
  // Two 24-dot strips, each followed by ESC J 0, then text.
  std::string strip = hex("1B2A21 0200 FFFFFF FFFFFF 1B4A00");
  Bitmap b = print(hex("1B3300") + strip + strip + "x\n");
  EXPECT_EQ(paper.y(), 72);
  for (int y = 0; y < 48; ++y) EXPECT_TRUE(b.at(1, y) && !b.at(5, y)) << y;  // strips, no text on them
  EXPECT_GT(inkBox(rowsFrom(b, 48)).width(), 0);
  print(hex("1B4A14"));  // nothing printed: only the 10 dots asked
  EXPECT_EQ(paper.y(), 82);
  print(hex("1B2A21 0100 FFFFFF 1B6400"));  // ESC d 0 likewise
  EXPECT_EQ(paper.y(), 106);
}

TEST_F(Paper, Code128KeepsTheCodeSetsTheDataChooses) {
  // Set B for "012345": start, 6 characters, check, 11 modules each, then
  // a 13-module stop; set C would need 3 characters. 2 dots a module.
  Bitmap b = print(hex("1D7702 1D6832 1D6B49 08") + "{B012345");
  EXPECT_EQ(inkBox(b).width(), (11 * 8 + 13) * 2);
  // {C 12 34: start C 211232, 12 112232, 34 131123, check (105+12+2*34)%103 = 82 121241, stop.
  b = print(hex("1D7701 1D6B49 04 7B43 0C22"));
  b = rowsFrom(b, paper.y() - 1);
  std::string widths = "211232" "112232" "131123" "121241" "2331112", want;
  for (std::size_t i = 0; i < widths.size(); ++i) want += std::string(widths[i] - '0', i % 2 ? '.' : '#');
  std::string row;
  for (int x = 0; x < int(want.size()); ++x) row += b.at(x, 0) ? '#' : '.';
  EXPECT_EQ(row, want);
  // Shift, a switch back to A and a control character.
  EXPECT_EQ(code128Values(std::string("{Aa", 3)).values.size(), 0u);
  EXPECT_EQ(code128Values("{AA{Sa{C\x01").values, (std::vector<int>{103, 33, 98, 65, 99, 1, 1, 106}));
  print(hex("1D6B49 03 7B4364"));
  EXPECT_EQ(remarks.back(), "not printed: byte 64 is not in code set C");
}

TEST_F(Paper, EveryListedCodeTableAndWhatTheFontLacks) {
  struct { int table; std::uint8_t byte; char32_t cp; } cases[] = {
      {7, 0x80, 0x0452}, {8, 0x98, 0x0130}, {21, 0x80, 0x05D0}, {22, 0xA9, 0xFE8F}, {24, 0xC1, 0x0391},
      {25, 0xD0, 0x011E}, {26, 0xC0, 0x0104}, {28, 0xC0, 0x0410}, {29, 0x80, 0x0391}, {30, 0x80, 0x0106},
      {33, 0xE0, 0x05D0}, {36, 0xA1, 0x0E01}};
  for (const auto& c : cases) EXPECT_EQ(decodeByte(c.byte, c.table, 0), c.cp) << c.table;
  print(hex("1B741C") + "\xC0\xC1\xC0 \xE9\n");
  EXPECT_EQ(paper.text(), "\u0410\u0411\u0410 \u0439\n");
  EXPECT_TRUE(remarks.empty());  // font A holds every character of the tables
  print(hex("1B4D01 1B7416") + "\xA9\xAA\xA9\n" + hex("1B4D00"));  // font B has no Arabic presentation forms
  ASSERT_FALSE(remarks.empty());
  EXPECT_EQ(remarks.back(), "no glyph, box printed, for U+FE8F U+FE95");
  print(hex("1B7463") + "\x82\n");
  EXPECT_EQ(remarks.back(), "code table 99 not available: table 0 used");
  EXPECT_EQ(paper.text().substr(paper.text().size() - 3), "\u00E9\n");
}

TEST_F(Paper, SymbolsOfTheOtherFormCarryTheirOwnSettings) {
  int y = paper.y();
  print(hex("1D5A02 1B5A 01 4D 04 0300") + "abc");  // QR version 1, level M, 4 dots a module
  EXPECT_EQ(paper.y() - y, 21 * 4);
  y = paper.y();
  print(hex("1D5A00 1B5A 02 01 03 0A00") + "0123456789");  // PDF417, 2 columns
  EXPECT_GT(paper.y(), y);
  EXPECT_TRUE(remarks.empty());
  print(hex("1D5A01 1B5A 00 00 00 0100") + "x");
  EXPECT_EQ(remarks.back(), "symbol type 1 not supported");
  EXPECT_EQ(paper.text(), "");
}

TEST_F(Paper, PageModeTurnsThePage) {
  Bitmap b = print(hex("1B4C 1B5400") + "AB" + hex("0C"));
  Box normal = inkBox(b);
  EXPECT_LT(normal.x0, 12);
  EXPECT_FALSE(r.pageMode());
  int y = paper.y();
  b = print(hex("1B4C 1B5403") + "ABCDEFGH" + hex("0C"));
  Box down = inkBox(rowsFrom(b, y));  // top to bottom, starting at the right
  EXPECT_GT(down.x0, 500);
  EXPECT_GE(down.height(), 8 * 12 - 6);
  EXPECT_GT(paper.y(), y);
  // ESC FF prints and keeps the page; ESC S leaves without printing.
  y = paper.y();
  print(hex("1B4C") + "kept" + hex("1B0C"));
  int once = paper.y() - y;
  print(hex("1B0C 1B53"));
  EXPECT_EQ(paper.y() - y, 2 * once);
}

TEST_F(Paper, EachCutWritesAReceiptWithAMark) {
  print("one\n" + hex("1D5601"));
  print("two\n" + hex("1D5600"));
  EXPECT_EQ(paper.count(), 2);
  EXPECT_TRUE(fileExists(dir + "/receipt-0001.png"));
  EXPECT_TRUE(fileExists(dir + "/receipt-0002.png"));
  EXPECT_EQ(paper.text(), "two\n");
  EXPECT_EQ(remarks.back(), "receipt " + dir + "/receipt-0002.png");
  print("three");
  EXPECT_EQ(paper.text(), "three");
  EXPECT_EQ(paper.save(), dir + "/receipt-0003.png");
  EXPECT_TRUE(fileExists(dir + "/receipt-0003.png"));
}

int pngHeight(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  unsigned char h[24] = {};
  in.read(reinterpret_cast<char*>(h), sizeof h);
  return h[20] << 24 | h[21] << 16 | h[22] << 8 | h[23];
}

TEST(Cutter, FeedingCutsBringTheLastLinePastTheCutter) {
  std::string dir = scratchDir();
  Receipts paper(dir, 576);
  Renderer r(paper, 143);
  Decoder d;
  auto send = [&](const std::string& bytes) { d.feed(bytes, [&](const Command& c) { r.apply(c); }); };
  send("A\n" + hex("1D5641 14"));  // feed to the cutter and 10 dots more, then cut
  EXPECT_EQ(pngHeight(dir + "/receipt-0001.png"), 30 + 10 + 12);  // the line, 10 dots, the cut mark
  EXPECT_EQ(paper.y(), 143);  // the paper that was between head and cutter
  EXPECT_FALSE(paper.inProgress());
  // Without a feed the cut falls 143 dots above the head: the line goes to
  // the next receipt.
  send("B\n");
  int top = inkBox(paper.current()).y0;
  send(hex("1D5601"));
  EXPECT_EQ(pngHeight(dir + "/receipt-0002.png"), 30 + 12);
  EXPECT_TRUE(paper.inProgress());
  EXPECT_EQ(inkBox(paper.current()).y0, top - 30);
}

TEST_F(Paper, InitRestoresDefaults) {
  print(hex("1B2130 1B6102 1B3310 1B7B01 1D4201 1B40"));
  EXPECT_EQ(r.style().doubleWidth, false);
  EXPECT_EQ(r.style().reverse, false);
  EXPECT_EQ(r.style().upsideDown, false);
  EXPECT_EQ(r.lineSpacing(), 30);
}

}  // namespace
}  // namespace vprinter::test
