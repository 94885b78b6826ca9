#include "common/codepage/code_page.h"

#include <algorithm>
#include <iterator>

namespace codepage {

namespace {

struct ByteOf {
  char16_t character;
  std::uint8_t byte;
};

}  // namespace

struct Table {
  int number;
  const char16_t* upper;   // bytes 80..FF
  const ByteOf* reverse;   // sorted by character
  std::size_t reverseCount;
};

namespace {

#include "common/codepage/code_page_tables.inc"

constexpr char kMissing = '?';

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

char ByteFor(const Table& table, char16_t c) {
  const ByteOf* end = table.reverse + table.reverseCount;
  const ByteOf* it = std::lower_bound(table.reverse, end, c,
                                      [](const ByteOf& row, char16_t key) { return row.character < key; });
  return it != end && it->character == c ? static_cast<char>(it->byte) : kMissing;
}

}  // namespace

const Table* Find(int codePage) {
  for (const Table& t : kTables)
    if (t.number == codePage) return &t;
  return nullptr;
}

int CharacterByte(const Table& table, char32_t c) {
  if (c < 0x80) return static_cast<int>(c);
  if (c > 0xFFFF) return -1;
  const char b = ByteFor(table, static_cast<char16_t>(c));
  return b == kMissing ? -1 : static_cast<std::uint8_t>(b);
}

int Number(const Table& table) { return table.number; }

char32_t Decode(const Table& table, std::uint8_t byte) {
  return byte < 0x80 ? char32_t(byte) : char32_t(table.upper[byte - 0x80]);
}

void Encode(const Table& table, std::u16string_view text, std::string& out) {
  out.reserve(out.size() + text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (IsHighSurrogate(c)) {
      // No table holds a character beyond the BMP.
      if (i + 1 < text.size() && IsLowSurrogate(text[i + 1])) ++i;
      out += kMissing;
    } else {
      out += ByteFor(table, c);
    }
  }
}

}  // namespace codepage
