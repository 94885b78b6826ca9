// Text crossing the automation boundary: BSTR <-> ANSI code page.
#include "service/server/bstr_text.h"

#include <gtest/gtest.h>

using server::AnsiFromBstr;
using server::BstrFromAnsi;

namespace {

struct Bstr {
  BSTR value;
  explicit Bstr(BSTR v) : value(v) {}
  explicit Bstr(const std::wstring& w) : value(SysAllocStringLen(w.data(), static_cast<UINT>(w.size()))) {}
  ~Bstr() { SysFreeString(value); }
  std::wstring Wide() const { return std::wstring(value, SysStringLen(value)); }
};

TEST(BstrText, AsciiAndEmbeddedNulsRoundTrip) {
  const std::string data("\x1b|cAText\0\x01\x7f end", 16);
  Bstr wide(BstrFromAnsi(data));
  ASSERT_NE(wide.value, nullptr);
  EXPECT_EQ(SysStringLen(wide.value), data.size());
  EXPECT_EQ(AnsiFromBstr(wide.value), data);
}

TEST(BstrText, NullAndEmpty) {
  EXPECT_EQ(AnsiFromBstr(nullptr), "");
  Bstr empty(BstrFromAnsi(""));
  ASSERT_NE(empty.value, nullptr);  // an empty BSTR, not a null one
  EXPECT_EQ(SysStringLen(empty.value), 0u);
}

TEST(BstrText, HundredThousandCharactersRoundTripWhole) {
  std::string data(100000, 'x');
  for (size_t i = 0; i < data.size(); i += 97) data[i] = static_cast<char>('A' + i % 26);
  Bstr wide(BstrFromAnsi(data));
  ASSERT_NE(wide.value, nullptr);
  EXPECT_EQ(SysStringLen(wide.value), data.size());
  EXPECT_EQ(AnsiFromBstr(wide.value), data);
}

TEST(BstrText, CharactersOutsideTheCodePageBecomeTheDefaultCharacter) {
  if (GetACP() != 1252) GTEST_SKIP() << "expectations are for code page 1252";
  // U+00E9 and U+20AC exist in 1252; U+0141 (would best-fit to 'L'), U+4E2D,
  // and a surrogate pair do not.
  Bstr wide(std::wstring(L"caf\u00e9 \u20ac \u0141 \u4e2d \U0001F600"));
  const std::string ansi = AnsiFromBstr(wide.value);
  EXPECT_EQ(ansi.substr(0, 8), "caf\xe9 \x80 ?");
  EXPECT_EQ(ansi.substr(8, 3), " ? ");
  EXPECT_EQ(ansi.find_first_not_of('?', 11), std::string::npos);
  EXPECT_LE(ansi.size(), 13u);
}

TEST(BstrText, LongNonAnsiStringConvertsWithoutTruncation) {
  // Every character unmappable: the result has one character per input
  // character and nothing is cut off.
  std::wstring text(100000, L'\u4e2d');
  text[0] = L'A';
  text.back() = L'Z';
  Bstr wide(text);
  const std::string ansi = AnsiFromBstr(wide.value);
  ASSERT_FALSE(ansi.empty());
  EXPECT_EQ(ansi.front(), 'A');
  EXPECT_EQ(ansi.back(), 'Z');
  if (GetACP() == 1252) {
    EXPECT_EQ(ansi.size(), text.size());
  }
}

TEST(BstrText, HighBytesRoundTripInTheCodePage) {
  if (GetACP() != 1252) GTEST_SKIP() << "expectations are for code page 1252";
  const std::string data = "\xe9\xfc\xa3\x80";
  Bstr wide(BstrFromAnsi(data));
  EXPECT_EQ(wide.Wide(), L"\u00e9\u00fc\u00a3\u20ac");
  EXPECT_EQ(AnsiFromBstr(wide.value), data);
}

}  // namespace
