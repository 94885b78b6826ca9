// The code page tables: Unicode text to the bytes a code page gives it, the
// '?' rule, and bytes back to characters. Expected bytes were taken from
// the code pages' published charts, independent of the generated tables.
#include <gtest/gtest.h>

#include <string>

#include "common/codepage/code_page.h"

namespace {

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char b : bytes) out += {kDigits[b >> 4], kDigits[b & 15]};
  return out;
}

std::string EncodeHex(int page, std::u16string_view text) {
  const codepage::Table* table = codepage::Find(page);
  if (!table) return "no table " + std::to_string(page);
  std::string out;
  codepage::Encode(*table, text, out);
  return Hex(out);
}

TEST(CodePage, TextGetsEachPagesOwnBytes) {
  const std::u16string dessert = u"Crème brûlée 4,50 €";
  EXPECT_EQ(EncodeHex(437, dessert), "43728a6d65206272966c826520342c3530203f");
  EXPECT_EQ(EncodeHex(858, dessert), "43728a6d65206272966c826520342c353020d5");
  EXPECT_EQ(EncodeHex(850, dessert), "43728a6d65206272966c826520342c3530203f");
  EXPECT_EQ(EncodeHex(1252, dessert), "4372e86d65206272fb6ce96520342c35302080");
  EXPECT_EQ(EncodeHex(866, u"Щи борщ 120 ₽ №5"), "99a820a1aee0e920313230203f20fc35");
  EXPECT_EQ(EncodeHex(737, u"Καλημέρα"), "8998a29ea3e2a898");
  EXPECT_EQ(EncodeHex(862, u"שלום"), "998c858d");
  EXPECT_EQ(EncodeHex(874, u"สวัสดี"), "cac7d1cab4d5");
  EXPECT_EQ(EncodeHex(1253, u"Ελλάδα"), "c5ebebdce4e1");
  EXPECT_EQ(EncodeHex(1257, u"Ąžuolas"), "c0fe756f6c6173");
  EXPECT_EQ(EncodeHex(864, u"\u066a%"), "2525");  // the Arabic percent shares the ASCII one's byte
  EXPECT_EQ(EncodeHex(codepage::kKatakana, u"ｱｲｳ"), "b1b2b3");
}

TEST(CodePage, EveryMissingCharacterIsOneQuestionMark) {
  // Not in 437: the euro sign, a CJK ideograph, an emoji (a surrogate
  // pair), a lone high and a lone low surrogate.
  const std::u16string text = u"a€b中c\U0001F600d" + std::u16string(1, char16_t(0xD800)) + u"e" +
                              std::u16string(1, char16_t(0xDC00));
  EXPECT_EQ(EncodeHex(437, text), Hex("a?b?c?d?e?"));
  // ASCII, controls and ESC sequences pass as they are in every table.
  const std::u16string escape = u"\x1b|bC\x1b|2C\n\r\t\x7f";
  for (int page : {437, 864, 874, 1255, codepage::kKatakana})
    EXPECT_EQ(EncodeHex(page, escape), Hex("\x1b|bC\x1b|2C\n\r\t\x7f")) << page;
}

TEST(CodePage, BytesDecodeToTheirCharactersAndBack) {
  const int pages[] = {437, 737, 775, 850, 852, 855, 857, 858, 860, 862, 863,
                       864, 865, 866, 874, 1251, 1252, 1253, 1254, 1255, 1257, codepage::kKatakana};
  for (int page : pages) {
    const codepage::Table* table = codepage::Find(page);
    ASSERT_NE(table, nullptr) << page;
    int characters = 0;
    for (int b = 0x80; b < 0x100; ++b) {
      const char32_t c = codepage::Decode(*table, static_cast<std::uint8_t>(b));
      if (!c) continue;
      ++characters;
      std::string out;
      codepage::Encode(*table, std::u16string(1, static_cast<char16_t>(c)), out);
      EXPECT_EQ(out, std::string(1, static_cast<char>(b))) << page << " byte " << b;
    }
    EXPECT_GE(characters, page == codepage::kKatakana ? 63 : 90) << page;
  }
  const codepage::Table& euro = *codepage::Find(858);
  EXPECT_EQ(codepage::Decode(euro, 0xD5), U'€');
  EXPECT_EQ(codepage::Decode(euro, 'A'), U'A');
  EXPECT_EQ(codepage::Decode(*codepage::Find(1252), 0x81), U'\0');  // a hole in 1252
  EXPECT_EQ(codepage::Decode(*codepage::Find(codepage::kKatakana), 0xE0), U'\0');
  EXPECT_EQ(codepage::Find(861), nullptr);
  EXPECT_EQ(codepage::Find(932), nullptr);
}

}  // namespace
