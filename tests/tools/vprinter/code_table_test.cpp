// Text in every code table: the command log shows what the paper shows.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "tests/tools/vprinter/rig.h"
#include "tools/vprinter/render/font.h"

namespace vprinter::test {
namespace {

std::string logText(const std::string& path) {
  std::ifstream in(path);
  std::stringstream all;
  all << in.rdbuf();
  return all.str();
}

TEST(CodeTables, LogAndPaperDecodeTextWithTheSelectedTable) {
  Rig rig;
  const std::string log = rig.opts.outDir + "/commands.jsonl";
  ASSERT_TRUE(rig.printer.openLog(log));
  // PC866 Cyrillic, katakana, PC858 at both of its numbers, WPC1252, then
  // back to PC437; ESC 4 (italic) is one command between texts.
  rig.send(hex("1B7411") + "\x8F\xE0\xA8\xA2\xA5\xE2\n" + hex("1B7401") + "\xB1\xB2\xDF\n" + hex("1B740B") + "\xD5" +
           hex("1B7413") + "\xD5" + hex("1B7410") + "\x80\n" + hex("1B3401") + hex("1B7400") + "\x82\n");
  const std::string paper = "Привет\nｱｲﾟ\n€€€\né\n";
  EXPECT_EQ(rig.printer.receipts().text(), paper);
  const std::string lines = logText(log);
  for (const char* text : {"\"text\":\"Привет\"", "\"text\":\"ｱｲﾟ\"", "\"text\":\"€\"", "\"text\":\"é\"",
                           "\"cmd\":\"italic\",\"args\":[1]"})
    EXPECT_NE(lines.find(text), std::string::npos) << text << " not in\n" << lines;
  EXPECT_EQ(lines.find("unknown"), std::string::npos) << lines;
}

TEST(CodeTables, EveryTableTheDriverSelectsIsKnown) {
  for (int table : {0, 1, 2, 3, 4, 5, 7, 8, 11, 16, 17, 18, 19, 21, 22, 24, 25, 26, 28, 29, 30, 33, 36})
    EXPECT_TRUE(hasCodeTable(table)) << table;
  EXPECT_FALSE(hasCodeTable(6));
  EXPECT_EQ(decodeByte(0x81, 16, 0), U'\uFFFD');  // a hole in WPC1252
  EXPECT_EQ(decodeByte(0xE0, 1, 0), U'\uFFFD');   // katakana has only A1..DF
}

}  // namespace
}  // namespace vprinter::test
