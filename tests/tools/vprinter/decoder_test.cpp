// The decoder against the exact bytes the driver sends, grouped by family.
#include <gtest/gtest.h>

#include "tests/tools/vprinter/rig.h"

namespace vprinter::test {
namespace {

struct Expect {
  const char* name;
  std::vector<int> args;
};

void expectCommands(const std::string& bytes, const std::vector<Expect>& want) {
  std::vector<Command> got = decodeAll(bytes);
  ASSERT_EQ(got.size(), want.size()) << "commands in " << hexBytes(bytes);
  for (std::size_t i = 0; i < want.size(); ++i) {
    EXPECT_STREQ(got[i].name, want[i].name) << "command " << i;
    EXPECT_EQ(got[i].args, want[i].args) << "command " << i << " " << want[i].name;
  }
}

TEST(Decoder, HandshakeAndEnable) {
  expectCommands(hex("1B3D01 1B63330F 1B633400 0000 1B40"),
                 {{"select-peripheral", {1}}, {"paper-sensor-signal", {0x33, 15}}, {"paper-sensor-stop", {0x34, 0}},
                  {"nul", {}}, {"nul", {}}, {"init", {}}});
  expectCommands(hex("1D610F 000000"), {{"asb-enable", {15}}, {"nul", {}}, {"nul", {}}, {"nul", {}}});
  expectCommands(hex("1D610F 1D6AFF"), {{"asb-enable", {15}}, {"ink-asb-enable", {255}}});
  expectCommands(hex("100403 1D61FF"), {{"realtime-status", {3}}, {"asb-enable", {255}}});
}

TEST(Decoder, TextCommandsOfTheStatePrefixAndTranslation) {
  expectCommands(hex("1B3D01 1B6100 1D284E0200 3031 1B7200 1B7402 1B5203 1B7B01 1B2101 1B333C"),
                 {{"select-peripheral", {1}}, {"align", {0}}, {"char-color", {0x30, 0x31}}, {"print-color", {0}},
                  {"code-table", {2}}, {"international-set", {3}}, {"upside-down", {1}}, {"print-mode", {1}},
                  {"line-spacing", {60}}});
  expectCommands(hex("1D2110 1B2D02 1D4201 1D4200 1B6101 1B6102 1B6403 1B4AC8 0A 0D"),
                 {{"char-size", {0x10}}, {"underline", {2}}, {"reverse", {1}}, {"reverse", {0}}, {"align", {1}},
                  {"align", {2}}, {"feed-lines", {3}}, {"feed-units", {200}}, {"line-feed", {}},
                  {"carriage-return", {}}});
}

TEST(Decoder, TextRunsStopAtControlBytes) {
  std::vector<Command> got = decodeAll("Total\xE9 4.50\n");
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].op, Op::Text);
  EXPECT_EQ(got[0].data, "Total\xE9 4.50");
  EXPECT_EQ(got[1].op, Op::LineFeed);
}

TEST(Decoder, Cuts) {
  expectCommands(hex("1D5601 1D5600 1D5631 1D564210 1B69 1B6D"),
                 {{"cut-partial", {1}}, {"cut-full", {0}}, {"cut-partial", {49}}, {"cut-partial", {66, 16}},
                  {"cut-full", {}}, {"cut-partial", {}}});
}

TEST(Decoder, LinearBarCodeWithItsSetUp) {
  std::vector<Command> got = decodeAll(hex("0000 1B6101 1D4802 1D6600 1D682C 1D7703 1D6B49 05 7B41414243"));
  ASSERT_EQ(got.size(), 8u);
  EXPECT_STREQ(got[3].name, "hri-position");
  EXPECT_EQ(got[5].args, std::vector<int>{0x2C});
  EXPECT_EQ(got[7].op, Op::BarCode);
  EXPECT_EQ(got[7].args, std::vector<int>{0x49});
  EXPECT_EQ(got[7].data, "{AABC");
  // Format 1 ends at NUL.
  got = decodeAll(hex("1D6B00 3031323334353637383930 00 0A"));
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].data, "01234567890");
}

TEST(Decoder, TwoDimensionalSymbols) {
  std::string pdf = hex("1D286B0300304100 1D286B0300304200 1D286B0300304303 1D286B0300304403") +
                    hex("1D286B0D00305030") + "0123456789" + hex("1D286B0300305130");
  std::vector<Command> got = decodeAll(pdf);
  ASSERT_EQ(got.size(), 6u);
  EXPECT_EQ(got[2].args, (std::vector<int>{0x30, 0x43, 3}));
  EXPECT_EQ(got[4].args, (std::vector<int>{0x30, 0x50}));
  EXPECT_EQ(got[4].data, "0123456789");
  EXPECT_EQ(got[5].args, (std::vector<int>{0x30, 0x51, 0x30}));
  got = decodeAll(hex("1D286B040031413200 1D286B0300314303 1D286B0600315030") + "abc" + hex("1D286B0300315130"));
  ASSERT_EQ(got.size(), 4u);
  EXPECT_EQ(got[0].args, (std::vector<int>{0x31, 0x41, 0x32, 0}));
  EXPECT_EQ(got[2].data, "abc");
}

TEST(Decoder, OtherSymbolFormAndStatusRequests) {
  std::vector<Command> got = decodeAll(hex("1D5A02 1B5A 00 4C 06 0500") + "hello" + hex("1D7201 1D4943 1B76"));
  ASSERT_EQ(got.size(), 5u);
  EXPECT_EQ(got[0].op, Op::SymbolType);
  EXPECT_EQ(got[1].op, Op::SymbolPrint);
  EXPECT_EQ(got[1].args, (std::vector<int>{0, 'L', 6}));
  EXPECT_EQ(got[1].data, "hello");
  EXPECT_EQ(got[2].op, Op::TransmitStatus);
  EXPECT_EQ(got[3].op, Op::PrinterId);
  EXPECT_EQ(got[4].op, Op::PaperStatus);
}

// Functions of the pL pH families this printer lacks are skipped whole and
// noted: their parameter bytes never come out as text.
TEST(Decoder, UnknownLengthPrefixedCommandsAreSkippedWhole) {
  std::string stream = hex("1C2858 0200 3000 1B2841 0400 3031 0302 1D2845 0300 0149 4E 1D2841 0200 3032") + "ok";
  std::vector<Command> got = decodeAll(stream);
  ASSERT_EQ(got.size(), 5u);
  const char* names[] = {"fs-paren", "esc-paren", "gs-paren", "gs-paren"};
  for (int i = 0; i < 4; ++i) {
    EXPECT_STREQ(got[i].name, names[i]);
    EXPECT_EQ(got[i].note.rfind("not understood", 0), 0u) << got[i].note;
  }
  EXPECT_EQ(got[1].length, 9u);
  EXPECT_EQ(got[4].data, "ok");
  // Fixed-length functions it has no use for take their parameters too.
  expectCommands(hex("1B420302 1B663030 1D4502 1D63 1D6730303000 1D7A304040 1C3F4141"),
                 {{"beeper", {3, 2}}, {"cut-sheet-wait", {0x30, 0x30}}, {"head-control", {2}}, {"print-counter", {}},
                  {"maintenance-counter", {0x30, 0x30, 0x30, 0}}, {"recovery-wait", {0x30, 0x40, 0x40}},
                  {"cancel-user-kanji", {0x41, 0x41}}});
  // A length longer than what follows waits, and ends as incomplete.
  got = decodeAll(hex("1C2858 FFFF") + "AAAA");
  ASSERT_EQ(got.size(), 1u);
  EXPECT_STREQ(got[0].name, "incomplete");
}

TEST(Decoder, RasterAndBandImages) {
  std::string raster = hex("1D763000 0200 0300") + std::string(6, '\xFF');
  std::vector<Command> got = decodeAll(raster + "\n");
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].op, Op::RasterImage);
  EXPECT_EQ(got[0].args, (std::vector<int>{0, 2, 3}));
  EXPECT_EQ(got[0].data.size(), 6u);
  // A band line: colour, 8-dot bit image of 3 columns, line end.
  got = decodeAll(hex("1B7200 1B2A00 0300 FF8001 0D 1B7201 1B2A00 0300 000000 0A"));
  ASSERT_EQ(got.size(), 6u);
  EXPECT_EQ(got[1].op, Op::BitImage);
  EXPECT_EQ(got[1].data, hex("FF8001"));
  EXPECT_EQ(got[2].op, Op::CarriageReturn);
}

TEST(Decoder, ColourGraphicsInStandardAndDataOnlyLengthForms) {
  std::string plane(4, '\xAA');  // 16 x 2 dots: 2 bytes per row
  std::string header = hex("30 70 30 01 01 31 1000 0200");
  std::string standard = hex("1D284C 0E00") + header + plane;
  std::vector<Command> got = decodeAll(standard + hex("1D284C0200 3032"));
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].op, Op::GraphicsStore);
  EXPECT_EQ(got[0].args, (std::vector<int>{0x30, 1, 1, 0x31, 16, 2}));
  EXPECT_EQ(got[0].data, plane);
  EXPECT_TRUE(got[0].note.empty());
  EXPECT_EQ(got[1].op, Op::GraphicsPrint);
  // A length that counts only the plane bytes still takes the whole plane,
  // so the print command after it is not swallowed; the log says so.
  std::string dataOnly = hex("1D284C 0400") + header + plane;
  got = decodeAll(dataOnly + hex("1D284C0200 3032"));
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].data, plane);
  EXPECT_FALSE(got[0].note.empty());
  EXPECT_EQ(got[1].op, Op::GraphicsPrint);
}

TEST(Decoder, StoredImagesAndDirectCommands) {
  expectCommands(hex("1C703100 1D284C0600 3045 4131 0101 1B6731"),
                 {{"print-nv-bit-image", {0x31, 0}}, {"nv-graphics-print", {0x45, 0x41, 0x31, 1, 1}},
                  {"esc-g", {0x31}}});
  // One NV bit image of 1 x 1 bytes (8 columns of one byte).
  std::vector<Command> got = decodeAll(hex("1C7101 0100 0100") + std::string(8, '\x80') + "\n");
  ASSERT_EQ(got.size(), 2u);
  EXPECT_EQ(got[0].op, Op::NvBitImageDefine);
  EXPECT_EQ(got[0].data.size(), 12u);
}

TEST(Decoder, PageModeAndDrawer) {
  expectCommands(hex("1B4C 1B5401 1B57 0000 0000 4002 E803 0C 0000 1B53 1B0C 18"),
                 {{"page-mode", {}}, {"page-direction", {1}}, {"page-area", {0, 0, 0, 0, 0x40, 2, 0xE8, 3}},
                  {"form-feed", {}}, {"nul", {}}, {"nul", {}}, {"standard-mode", {}}, {"page-print", {}},
                  {"cancel", {}}});
  expectCommands(hex("1B7001 4832 1B7000 6464 10140100 05"),
                 {{"drawer-kick", {1, 0x48, 0x32}}, {"drawer-kick", {0, 0x64, 0x64}}, {"realtime-pulse", {0, 5}}});
}

TEST(Decoder, SplitFeedsGiveTheSameCommands) {
  std::string stream = hex("1B3D01 1B6101 1D2111") + "Hello" + hex("0A 1D763000 0100 0200 F00F 1D6B49 03 7B4241") +
                       hex("1D284C 0C00 3070 3001 0131 0800 0200 AA55 1D5601");
  std::vector<Command> whole = decodeAll(stream);
  for (std::size_t chunk = 1; chunk <= 7; ++chunk) {
    std::vector<Command> parts;
    Decoder d;
    for (std::size_t i = 0; i < stream.size(); i += chunk)
      d.feed(stream.substr(i, chunk), [&](const Command& c) { parts.push_back(c); });
    // Text may come in pieces; compare everything else exactly.
    std::string wholeText, partText;
    std::vector<std::string> a, b;
    for (const Command& c : whole)
      c.op == Op::Text ? void(wholeText += c.data) : a.push_back(std::string(c.name) + hexBytes(c.data));
    for (const Command& c : parts)
      c.op == Op::Text ? void(partText += c.data) : b.push_back(std::string(c.name) + hexBytes(c.data));
    EXPECT_EQ(a, b) << "chunk " << chunk;
    EXPECT_EQ(wholeText, partText);
    EXPECT_EQ(d.pending(), 0u);
  }
}

TEST(Decoder, UnknownAndIncompleteBytesAreReportedAndSkipped) {
  std::vector<Command> got = decodeAll(hex("1B01 1BFF 07 41 1D 1D2101"));
  std::vector<std::size_t> lengths;
  for (const Command& c : got) lengths.push_back(c.length);
  // ESC before a control byte drops only the ESC; an unknown ESC code drops both.
  EXPECT_EQ(lengths, (std::vector<std::size_t>{1, 1, 2, 1, 1, 1, 3}));
  EXPECT_EQ(got[0].op, Op::Unknown);
  EXPECT_EQ(got[2].op, Op::Unknown);
  EXPECT_EQ(got[4].op, Op::Text);
  EXPECT_EQ(got[6].op, Op::CharSize);
  // A command cut off by the end of the stream comes out as incomplete.
  got = decodeAll(hex("1D763000 1000 1000 FFFF"));
  ASSERT_EQ(got.size(), 1u);
  EXPECT_STREQ(got[0].name, "incomplete");
}

TEST(Decoder, OversizeImagesAreSkippedWithoutKeepingThem) {
  // 65535 x 65535 bytes of raster: far beyond kMaxCommand.
  Decoder d;
  std::vector<Command> got;
  auto sink = [&](const Command& c) { got.push_back(c); };
  d.feed(hex("1D763000 FFFF FFFF"), sink);
  ASSERT_EQ(got.size(), 1u);
  EXPECT_EQ(got[0].op, Op::Oversize);
  EXPECT_EQ(got[0].length, 8u + 65535ull * 65535ull);
  std::string junk(1 << 20, '\x41');
  for (int i = 0; i < 4; ++i) d.feed(junk, sink);
  EXPECT_EQ(got.size(), 1u);  // payload swallowed, nothing decoded from it
  EXPECT_EQ(d.pending(), 0u);
}

}  // namespace
}  // namespace vprinter::test
