#include "tools/vprinter/render/font.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "common/codepage/code_page.h"

namespace vprinter {
namespace {

struct GlyphRow {
  char32_t cp;
  std::uint16_t rows[24];  // bit 15 = leftmost dot
};

// ESC t numbers and the code pages of their tables.
const std::pair<int, int> kCodeTables[] = {
    {0, 437},   {1, codepage::kKatakana}, {2, 850},   {3, 860},   {4, 863},   {5, 865},   {7, 855},   {8, 857},
    {11, 858},  // the euro Latin table's number on some models
    {16, 1252}, {17, 866},  {18, 852},  {19, 858},  {21, 862},  {22, 864},  {24, 1253}, {25, 1254},
    {26, 1257}, {28, 1251}, {29, 737},  {30, 775},  {33, 1255}, {36, 874},
};

const codepage::Table* codeTable(int table) {
  for (const auto& t : kCodeTables)
    if (t.first == table) return codepage::Find(t.second);
  return nullptr;
}
#include "tools/vprinter/render/font/glyphs.inc"

template <std::size_t N>
const GlyphRow* find(const GlyphRow (&table)[N], char32_t cp) {
  auto it = std::lower_bound(std::begin(table), std::end(table), cp,
                             [](const GlyphRow& g, char32_t c) { return g.cp < c; });
  return it != std::end(table) && it->cp == cp ? &*it : nullptr;
}

// The twelve ASCII positions the international sets replace, and each
// set's characters for them (0 USA ... 12 Latin America, 13 Korea ... 16 Vietnam).
const std::uint8_t kIntlPositions[12] = {0x23, 0x24, 0x40, 0x5B, 0x5C, 0x5D, 0x5E, 0x60, 0x7B, 0x7C, 0x7D, 0x7E};
const char32_t kIntlSets[17][12] = {
    {'#', '$', '@', '[', '\\', ']', '^', '`', '{', '|', '}', '~'},
    {'#', '$', 0xE0, 0xB0, 0xE7, 0xA7, '^', '`', 0xE9, 0xF9, 0xE8, 0xA8},
    {'#', '$', 0xA7, 0xC4, 0xD6, 0xDC, '^', '`', 0xE4, 0xF6, 0xFC, 0xDF},
    {0xA3, '$', '@', '[', '\\', ']', '^', '`', '{', '|', '}', '~'},
    {'#', '$', '@', 0xC6, 0xD8, 0xC5, '^', '`', 0xE6, 0xF8, 0xE5, '~'},
    {'#', 0xA4, 0xC9, 0xC4, 0xD6, 0xC5, 0xDC, 0xE9, 0xE4, 0xF6, 0xE5, 0xFC},
    {'#', '$', '@', 0xB0, '\\', 0xE9, '^', 0xF9, 0xE0, 0xF2, 0xE8, 0xEC},
    {0x20A7, '$', '@', 0xA1, 0xD1, 0xBF, '^', '`', 0xA8, 0xF1, '}', '~'},
    {'#', '$', '@', '[', 0xA5, ']', '^', '`', '{', '|', '}', '~'},
    {'#', 0xA4, 0xC9, 0xC6, 0xD8, 0xC5, 0xDC, 0xE9, 0xE6, 0xF8, 0xE5, 0xFC},
    {'#', '$', 0xC9, 0xC6, 0xD8, 0xC5, 0xDC, 0xE9, 0xE6, 0xF8, 0xE5, 0xFC},
    {'#', '$', 0xE1, 0xA1, 0xD1, 0xBF, 0xE9, '`', 0xED, 0xF1, 0xF3, 0xFA},
    {'#', '$', 0xE1, 0xA1, 0xD1, 0xBF, 0xE9, 0xFC, 0xED, 0xF1, 0xF3, 0xFA},
    {'#', '$', '@', '[', 0x20A9, ']', '^', '`', '{', '|', '}', '~'},                    // 13 Korea
    {'#', '$', 0x17D, 0x160, 0x110, 0x106, 0x10C, 0x17E, 0x161, 0x111, 0x107, 0x10D},  // 14 Slovenia/Croatia
    {'#', 0xA5, '@', '[', '\\', ']', '^', '`', '{', '|', '}', '~'},                    // 15 China
    {'#', 0x20AB, '@', '[', '\\', ']', '^', '`', '{', '|', '}', '~'},                  // 16 Vietnam
};

const GlyphRow* findGlyph(int font, char32_t cp) { return font == 1 ? find(kFontB, cp) : find(kFontA, cp); }

}  // namespace

FontMetrics fontMetrics(int font) { return font == 1 ? FontMetrics{9, 17} : FontMetrics{12, 24}; }

bool hasGlyph(int font, char32_t cp) { return findGlyph(font, cp) != nullptr; }

Bitmap glyph(int font, char32_t cp) {
  FontMetrics m = fontMetrics(font);
  Bitmap b(m.width, m.height);
  const GlyphRow* g = findGlyph(font, cp);
  if (!g) {  // a hollow box marks a character the font lacks
    b.fill(1, 3, m.width - 2, m.height - 6, 1);
    b.fill(2, 4, m.width - 4, m.height - 8, 0);
    return b;
  }
  for (int y = 0; y < m.height; ++y)
    for (int x = 0; x < m.width; ++x)
      if (g->rows[y] & (0x8000 >> x)) b.px[std::size_t(y) * m.width + x] = 1;
  return b;
}

char32_t decodeByte(std::uint8_t byte, int table, int intl) {
  if (byte < 0x80) {
    if (intl > 0 && intl < 17)
      for (int i = 0; i < 12; ++i)
        if (kIntlPositions[i] == byte) return kIntlSets[intl][i];
    return byte;
  }
  const codepage::Table* chosen = codeTable(table);
  char32_t cp = codepage::Decode(chosen ? *chosen : *codeTable(0), byte);
  return cp ? cp : char32_t(0xFFFD);
}

bool hasCodeTable(int table) { return codeTable(table) != nullptr; }

std::string decodeText(const std::string& bytes, int table, int intl) {
  std::string utf8;
  for (unsigned char b : bytes) appendUtf8(decodeByte(b, table, intl), utf8);
  return utf8;
}

void appendUtf8(char32_t cp, std::string& out) {
  if (cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) cp = 0xFFFD;
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xF0 | (cp >> 18));
    out += char(0x80 | ((cp >> 12) & 0x3F));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

}  // namespace vprinter
