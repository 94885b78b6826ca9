// The printers' double-byte (Kanji mode) codes: each character's two
// bytes. The tables are generated at build time from Python's codecs
// (make_double_byte.py). Constant data: any thread.
#pragma once

#include <cstdint>

namespace codepage {

// Shift JIS (JIS X 0208), the two-byte part of GB18030 (the GBK range),
// Big5 and KS C 5601.
enum class DoubleByte : std::uint8_t { ShiftJis, Gb18030, Big5, Ksc5601 };

struct DoubleByteTable;

const DoubleByteTable& Find(DoubleByte code);

// The two bytes of c (lead byte high), or -1 when the code lacks it.
int DoubleByteCode(const DoubleByteTable& table, char32_t c);

}  // namespace codepage
