// What the Unicode encoder needs to know of a character beyond the code
// page tables: ranges, not a full Unicode database.
#pragma once

namespace unicode {

// A mark that belongs to the character before it (combining diacritics,
// Thai vowel and tone marks, Hebrew points, joiners, variation selectors,
// emoji modifiers): it goes wherever that character goes.
bool IsCombining(char32_t c);

// Hebrew, Arabic and the other right-to-left scripts.
bool IsRightToLeft(char32_t c);

// The characters a UTF-8 printer's Kanji fonts hold: Han, kana, Hangul,
// CJK symbols and the full- and half-width forms.
bool IsEastAsian(char32_t c);

// Printed in a double-width (full-width) cell.
bool IsWide(char32_t c);

// Format characters that print nothing (zero-width space, marks of
// direction, byte order mark).
bool IsInvisible(char32_t c);

}  // namespace unicode
