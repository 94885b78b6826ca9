// Kanji mode's double-byte codes: where a character's bytes end, and the
// character they stand for (through the C library's converters).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/vprinter/text/text_decoder.h"

namespace vprinter {

// One byte in single-byte mode: the ESC t table and ESC R set in force.
std::size_t singleStep(const TextMode& mode, std::uint8_t byte, std::vector<TextChar>& out);

// The character at p in Kanji mode; returns the bytes it took, 0 when its
// remaining bytes have not arrived (never with 4 or more bytes at hand).
// Bytes that start no double-byte character print from the single-byte
// tables; a lead byte with a trail byte that does not fit is one U+FFFD.
std::size_t kanjiStep(const TextMode& mode, const std::uint8_t* p, std::size_t n, std::vector<TextChar>& out);

}  // namespace vprinter
