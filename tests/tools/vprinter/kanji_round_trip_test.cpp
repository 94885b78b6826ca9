// What the service sends under CharacterSet 997 to a model with Kanji mode
// reads back from the virtual printer as the sentence it was given.
#include <gtest/gtest.h>

#include "common/codepage/code_page.h"
#include "service/pipeline/translator.h"
#include "service/pipeline/unicode/utf8.h"
#include "tests/tools/vprinter/rig.h"

namespace vprinter::test {
namespace {

PrintState KanjiModel(codepage::DoubleByte code) {
  PrintState s;
  s.printerType = 1;
  s.linecharsNormal = s.recLineChars = 42;
  s.linecharsCompressed = 56;
  s.lineSpacingDots = 30;
  s.units = MakeUnitTables(180, 180);
  s.unicodeText = true;
  for (const auto& page : {std::pair<int, int>{0, 437}, {2, 850}, {17, 866}, {18, 852}})
    s.unicode.pages.Add(static_cast<uint8_t>(page.first), codepage::Find(page.second));
  s.unicode.kanji = &codepage::Find(code);
  s.unicode.kanjiSelectShiftJis = code == codepage::DoubleByte::ShiftJis;
  return s;
}

TEST(KanjiRoundTrip, EachFamilyReadsBackAsSent) {
  const struct {
    codepage::DoubleByte code;
    Multibyte printer;
    const char* text;
  } cases[] = {
      {codepage::DoubleByte::ShiftJis, Multibyte::ShiftJis, u8"領収書 Café 合計 1,234円、ありがとう！\nДом łódź ＡＢ\n"},
      {codepage::DoubleByte::Gb18030, Multibyte::Gb18030, u8"收据：小计 12.50元 Müller\n谢谢惠顾\n"},
      {codepage::DoubleByte::Big5, Multibyte::Big5, u8"收據 營業稅 5% Ñandú\n謝謝光臨\n"},
      {codepage::DoubleByte::Ksc5601, Multibyte::Ksc5601, u8"영수증 합계 3,000원 Straße\n감사합니다\n"},
  };
  for (const auto& c : cases) {
    PrintState state = KanjiModel(c.code);
    std::string bytes;
    ASSERT_EQ(TranslatePrintData(state, c.text, &bytes), 0);
    ASSERT_EQ(bytes.find("\x1B\x2A\x21"), std::string::npos) << c.text;  // no pictures
    ASSERT_NE(bytes.find("\x1C\x26"), std::string::npos) << c.text;
    Rig rig(c.printer);
    rig.send(bytes);
    EXPECT_EQ(rig.printer.receipts().text(), c.text);
  }
}

TEST(KanjiRoundTrip, EveryIdeographOfExtensionAReadsBackOnAGb18030Model) {
  std::u32string all;
  for (char32_t c = 0x3400; c <= 0x4DBF; ++c) {
    all += c;
    if (all.size() % 16 == 15) all += U'\n';
  }
  all += U'\n';
  std::string utf8;
  for (char32_t c : all) unicode::AppendUtf8(c, utf8);
  PrintState state = KanjiModel(codepage::DoubleByte::Gb18030);
  std::string bytes;
  ASSERT_EQ(TranslatePrintData(state, utf8, &bytes), 0);
  ASSERT_EQ(bytes.find("\x1B\x2A\x21"), std::string::npos);  // no pictures
  Rig rig(Multibyte::Gb18030);
  rig.send(bytes);
  EXPECT_EQ(rig.printer.receipts().text(), utf8);
}

}  // namespace
}  // namespace vprinter::test
