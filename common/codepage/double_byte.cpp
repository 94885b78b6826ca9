#include "common/codepage/double_byte.h"

#include <algorithm>

namespace codepage {

namespace {

struct CodeRow {
  char16_t character;
  std::uint16_t code;
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

}  // namespace codepage
