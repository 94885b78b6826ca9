// The printers' double-byte (Kanji mode) codes: each character's two
// bytes. The tables are generated at build time from Python's codecs
// (make_double_byte.py). Constant data: any thread.
#pragma once

#include <cstdint>

namespace codepage {

// Shift JIS (JIS X 0208), GB18030 (the GBK range and CJK Extension A),
// Big5 and KS C 5601.
enum class DoubleByte : std::uint8_t { ShiftJis, Gb18030, Big5, Ksc5601 };

struct DoubleByteTable;

const DoubleByteTable& Find(DoubleByte code);

// The two bytes of c (lead byte high), or -1 when the code lacks it.
int DoubleByteCode(const DoubleByteTable& table, char32_t c);

// The four bytes of c (first byte highest) where the code has a four-byte
// form for it (GB18030's CJK Extension A), else 0.
std::uint32_t FourByteCode(const DoubleByteTable& table, char32_t c);

// c's bytes in the code, in either form, written to out: how many (2 or 4),
// 0 when the code lacks c.
int CodeBytes(const DoubleByteTable& table, char32_t c, char out[4]);

}  // namespace codepage
