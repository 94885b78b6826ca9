// What the Unicode encoder needs to know of a character beyond the code
// page tables: ranges, not a full Unicode database.
#pragma once

namespace unicode {

// A mark that belongs to the character before it (combining diacritics,
// Thai vowel and tone marks, Hebrew points, joiners, variation selectors,
// emoji modifiers): it goes wherever that character goes.
bool IsCombiningAbove0300(char32_t c);
inline bool IsCombining(char32_t c) { return c >= 0x0300 && IsCombiningAbove0300(c); }

// Hebrew, Arabic and the other right-to-left scripts.
bool IsRightToLeftAbove0590(char32_t c);
inline bool IsRightToLeft(char32_t c) { return c >= 0x0590 && IsRightToLeftAbove0590(c); }

// The characters a UTF-8 printer's Kanji fonts hold: Han, kana, Hangul,
// CJK symbols and the full- and half-width forms.
bool IsEastAsianAbove1100(char32_t c);
inline bool IsEastAsian(char32_t c) { return c >= 0x1100 && IsEastAsianAbove1100(c); }

// Printed in a double-width (full-width) cell.
bool IsWideAbove1100(char32_t c);
inline bool IsWide(char32_t c) { return c >= 0x1100 && IsWideAbove1100(c); }

// Format characters that print nothing (zero-width space, marks of
// direction, byte order mark).
bool IsInvisible(char32_t c);

}  // namespace unicode
