// The printer's single-byte character tables as code pages: the character
// of each byte, and each character's byte. The tables are generated at
// build time from Python's codecs (make_code_pages.py). Bytes 00..7F are
// ASCII in every table. Constant data: any thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace codepage {

struct Table;

// The katakana table (JIS X 0201's half-width katakana at A1..DF, block and
// box-drawing characters at 80..9F) goes by the number of the IBM code page
// that holds that set.
constexpr int kKatakana = 897;

// 437, 737, 775, 850, 852, 855, 857, 858, 860, 862, 863, 864, 865, 866,
// 874, 1251, 1252, 1253, 1254, 1255, 1257 or kKatakana; nullptr otherwise.
const Table* Find(int codePage);

// The character of a byte; 0 where the table has none.
char32_t Decode(const Table& table, std::uint8_t byte);

// The byte of a character in the table (ASCII as itself), or -1 when the
// table lacks it.
int CharacterByte(const Table& table, char32_t c);

// The number a table was found by.
int Number(const Table& table);

// Appends one byte per character of the UTF-16 text: the character's byte
// in the table, or '?' when the table lacks it. A surrogate pair is one
// character; a lone surrogate is one '?'.
void Encode(const Table& table, std::u16string_view text, std::string& out);

}  // namespace codepage
