// The generated double-byte tables against codes every Kanji printer has.
#include "common/codepage/double_byte.h"

#include <gtest/gtest.h>

namespace {

using codepage::DoubleByte;

int Code(DoubleByte code, char32_t c) { return codepage::DoubleByteCode(codepage::Find(code), c); }

int CountIn(DoubleByte code, char32_t first, char32_t last) {
  int n = 0;
  for (char32_t c = first; c <= last; ++c) n += Code(code, c) >= 0;
  return n;
}

TEST(DoubleByteTables, KnownCodes) {
  const struct {
    DoubleByte code;
    char32_t c;
    int bytes;
  } cases[] = {
      {DoubleByte::ShiftJis, U'日', 0x93FA},   {DoubleByte::ShiftJis, U'あ', 0x82A0},
      {DoubleByte::ShiftJis, U'、', 0x8141},   {DoubleByte::ShiftJis, U'Ａ', 0x8260},
      {DoubleByte::ShiftJis, U'〜', 0x8160},   {DoubleByte::ShiftJis, U'～', 0x8160},  // both readings of the wave dash
      {DoubleByte::ShiftJis, U'①', -1},       // NEC's row, not JIS X 0208
      {DoubleByte::Gb18030, U'中', 0xD6D0},    {DoubleByte::Gb18030, U'€', 0xA2E3},
      {DoubleByte::Gb18030, U'，', 0xA3AC},    {DoubleByte::Gb18030, U'ß', -1},  // four bytes in GB18030
      {DoubleByte::Big5, U'中', 0xA4A4},       {DoubleByte::Big5, U'據', 0xBEDA},
      {DoubleByte::Big5, U'業', 0xB77E},       {DoubleByte::Ksc5601, U'한', 0xC7D1},
      {DoubleByte::Ksc5601, U'똠', -1},       // not among the 2350 syllables
      {DoubleByte::ShiftJis, U'A', -1},        {DoubleByte::Big5, U'\uE000', -1},  // user-defined area
      {DoubleByte::Gb18030, U'\U00020BB7', -1},
  };
  for (const auto& c : cases) EXPECT_EQ(Code(c.code, c.c), c.bytes) << std::hex << static_cast<uint32_t>(c.c);
}

TEST(DoubleByteTables, HoldTheWholeOfEachStandardsCoreSet) {
  EXPECT_EQ(CountIn(DoubleByte::ShiftJis, 0x4E00, 0x9FFF), 6356);  // JIS X 0208: 6355 kanji and the symbol 仝
  EXPECT_EQ(CountIn(DoubleByte::ShiftJis, 0x3041, 0x3093), 83);    // hiragana
  EXPECT_EQ(CountIn(DoubleByte::Gb18030, 0x4E00, 0x9FA5), 20902);  // every unified ideograph of Unicode 1.1
  EXPECT_EQ(CountIn(DoubleByte::Ksc5601, 0xAC00, 0xD7A3), 2350);
  EXPECT_GE(CountIn(DoubleByte::Big5, 0x4E00, 0x9FFF), 13051);     // common and less common hanzi
  for (DoubleByte code : {DoubleByte::ShiftJis, DoubleByte::Gb18030, DoubleByte::Big5, DoubleByte::Ksc5601}) {
    EXPECT_EQ(CountIn(code, 0, 0x7F), 0);
    EXPECT_EQ(CountIn(code, 0xE000, 0xF8FF), 0);
  }
}

TEST(DoubleByteTables, Gb18030HasFourByteCodesForExtensionAOnly) {
  const codepage::DoubleByteTable& gb = codepage::Find(DoubleByte::Gb18030);
  EXPECT_EQ(codepage::FourByteCode(gb, U'\u3400'), 0x8139EE39u);  // the first of Extension A
  EXPECT_EQ(codepage::FourByteCode(gb, U'\u4DB5'), 0x82358738u);  // the last of Unicode 3.0's
  EXPECT_EQ(codepage::FourByteCode(gb, U'\u3447'), 0u);           // one of GBK's two-byte codes
  EXPECT_EQ(Code(DoubleByte::Gb18030, U'\u3447'), 0xFE56);
  for (char32_t c : {U'ß', U'\u0E01', U'中', U'\U00020BB7', U'\u33FF', U'\u4DC0'})
    EXPECT_EQ(codepage::FourByteCode(gb, c), 0u) << std::hex << static_cast<uint32_t>(c);
  EXPECT_EQ(codepage::FourByteCode(codepage::Find(DoubleByte::Big5), U'\u3400'), 0u);
  // Every character of the block has one of the two forms.
  int missing = 0;
  for (char32_t c = 0x3400; c <= 0x4DBF; ++c)
    missing += Code(DoubleByte::Gb18030, c) < 0 && codepage::FourByteCode(gb, c) == 0;
  EXPECT_EQ(missing, 0);
}

}  // namespace
