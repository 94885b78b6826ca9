// The printer's two built-in fonts and its character tables.
#pragma once

#include <cstdint>
#include <string>

#include "tools/vprinter/render/bitmap.h"

namespace vprinter {

struct FontMetrics {
  int width, height;
};

// Font 0 (A) is 12x24, font 1 (B) 9x17.
FontMetrics fontMetrics(int font);
// The glyph of a code point in colour 1; a hollow box when the font has none.
Bitmap glyph(int font, char32_t cp);
bool hasGlyph(int font, char32_t cp);

// The character a byte stands for under code table `table` (ESC t) and
// international set `intl` (ESC R). Unknown tables fall back to table 0.
char32_t decodeByte(std::uint8_t byte, int table, int intl);
bool hasCodeTable(int table);
// UTF-8 of bytes decoded as decodeByte does.
std::string decodeText(const std::string& bytes, int table, int intl);
// UTF-8 of a code point, for the text the control reports.
void appendUtf8(char32_t cp, std::string& out);

}  // namespace vprinter
