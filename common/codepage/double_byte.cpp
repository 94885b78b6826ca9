#include "common/codepage/double_byte.h"

#include <algorithm>
#include <iterator>

namespace codepage {

namespace {

struct CodeRow {
  char16_t character;
  std::uint16_t code;
};

// `count` consecutive characters from `first` with consecutive four-byte
// codes from `linear` (the code's place in GB18030's four-byte sequence).
struct FourByteRun {
  char16_t first;
  std::uint16_t count;
  std::uint32_t linear;
};

}  // namespace

struct DoubleByteTable {
  DoubleByte code;
  const CodeRow* rows;  // sorted by character
  std::size_t count;
};

namespace {

#include "common/codepage/double_byte_tables.inc"

}  // namespace

const DoubleByteTable& Find(DoubleByte code) {
  for (const DoubleByteTable& t : kDoubleByteTables)
    if (t.code == code) return t;
  return kDoubleByteTables[0];  // every code has a table
}

int DoubleByteCode(const DoubleByteTable& table, char32_t c) {
  if (c < 0x80 || c > 0xFFFF) return -1;
  const CodeRow* end = table.rows + table.count;
  const CodeRow* it = std::lower_bound(table.rows, end, static_cast<char16_t>(c),
                                      [](const CodeRow& row, char16_t key) { return row.character < key; });
  return it != end && it->character == c ? it->code : -1;
}

std::uint32_t FourByteCode(const DoubleByteTable& table, char32_t c) {
  if (table.code != DoubleByte::Gb18030 || c > 0xFFFF) return 0;
  const FourByteRun* end = std::end(kGb18030FourByte);
  const FourByteRun* it = std::upper_bound(std::begin(kGb18030FourByte), end, static_cast<char16_t>(c),
                                           [](char16_t key, const FourByteRun& run) { return key < run.first; });
  if (it == std::begin(kGb18030FourByte)) return 0;
  --it;
  if (c >= static_cast<char32_t>(it->first) + it->count) return 0;
  // Bytes 81..FE, 30..39, 81..FE, 30..39, counted from the last.
  std::uint32_t n = it->linear + (c - it->first);
  const std::uint32_t b4 = 0x30 + n % 10;
  n /= 10;
  const std::uint32_t b3 = 0x81 + n % 126;
  n /= 126;
  const std::uint32_t b2 = 0x30 + n % 10;
  const std::uint32_t b1 = 0x81 + n / 10;
  return b1 << 24 | b2 << 16 | b3 << 8 | b4;
}

int CodeBytes(const DoubleByteTable& table, char32_t c, char out[4]) {
  const int two = DoubleByteCode(table, c);
  if (two >= 0) {
    out[0] = static_cast<char>(two >> 8);
    out[1] = static_cast<char>(two & 0xFF);
    return 2;
  }
  const std::uint32_t four = FourByteCode(table, c);
  if (four == 0) return 0;
  for (int i = 0; i < 4; ++i) out[i] = static_cast<char>(four >> (24 - 8 * i) & 0xFF);
  return 4;
}

}  // namespace codepage
