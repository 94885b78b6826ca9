// Text on paper: single-byte characters in the built-in fonts, Kanji mode
// and UTF-8 characters in 24-dot cells, marks on the cell before them.
#include <algorithm>
#include <cstdio>

#include "tools/vprinter/render/font.h"
#include "tools/vprinter/render/renderer.h"
#include "tools/vprinter/render/wide_font.h"

namespace vprinter {
namespace {

constexpr int kKanjiCell = 24;

int digitArg(int v) { return v >= '0' && v <= '9' ? v - '0' : v; }
int argAt(const Command& c, std::size_t i) { return i < c.args.size() ? c.args[i] : 0; }

void note(std::vector<char32_t>& missing, char32_t cp) {
  if (std::find(missing.begin(), missing.end(), cp) == missing.end()) missing.push_back(cp);
}

// A hollow box marks a character no font has.
Bitmap box(int w, int h) {
  Bitmap b(w, h);
  b.fill(1, 3, w - 2, h - 6, 1);
  b.fill(2, 4, w - 4, h - 8, 0);
  return b;
}

}  // namespace

std::string Renderer::previewText(const std::string& bytes) const {
  TextDecoder copy = decoder_;
  copy.mode.table = style_.codeTable;
  copy.mode.intl = style_.international;
  std::vector<TextChar> chars;
  copy.decode(bytes, chars);
  return toUtf8(chars);
}

std::string Renderer::text(const std::string& bytes) {
  decoder_.mode.table = style_.codeTable;
  decoder_.mode.intl = style_.international;
  std::vector<TextChar> chars;
  decoder_.decode(bytes, chars);
  std::vector<char32_t> missing;
  print(chars, missing);
  if (missing.empty()) return "";
  std::string remark = "no glyph, box printed, for";
  for (std::size_t i = 0; i < missing.size() && i < 8; ++i) {
    char code[16];
    std::snprintf(code, sizeof code, " U+%04X", unsigned(missing[i]));
    remark += code;
  }
  return missing.size() > 8 ? remark + " ..." : remark;
}

void Renderer::print(const std::vector<TextChar>& chars, std::vector<char32_t>& missing) {
  for (const TextChar& ch : chars) {
    std::string utf8;
    appendUtf8(ch.cp, utf8);
    paper_.addText(utf8);
    Bitmap g = ch.wide ? kanjiCell(ch, missing) : renderChar(ch.cp, missing);
    if (ch.combining && !line_.empty()) {  // on the cell before, right-aligned with it
      const Item& base = line_.back();
      line_.push_back(Item{std::move(g), base.x + std::max(0, base.bmp.w - g.w)});
      continue;
    }
    int advance = g.w;
    add(std::move(g), advance);
  }
}

Bitmap Renderer::renderChar(char32_t cp, std::vector<char32_t>& missing) const {
  // Rules and blocks fill their cell so that a row of them joins up.
  bool joins = cp >= 0x2500 && cp <= 0x259F && halfWidthFont().has(cp);
  Bitmap g;
  if (!joins && hasGlyph(style_.font, cp)) {
    g = glyph(style_.font, cp);
  } else if (halfWidthFont().has(cp)) {
    g = halfWidthFont().glyph(cp);
  } else if (fullWidthFont().has(cp)) {
    g = fullWidthFont().glyph(cp);
  } else {
    note(missing, cp);
    g = glyph(style_.font, cp);
  }
  int sx = style_.widthMul * (style_.doubleWidth ? 2 : 1), sy = style_.heightMul * (style_.doubleHeight ? 2 : 1);
  return styled(std::move(g), sx, sy, 0, style_.rightSpacing, style_.underline);
}

Bitmap Renderer::kanjiCell(const TextChar& ch, std::vector<char32_t>& missing) const {
  Bitmap g(kKanjiCell, kKanjiCell);
  auto user = ch.code ? userKanji_.find(ch.code) : userKanji_.end();
  if (user != userKanji_.end()) {
    g.blit(user->second, 0, 0);
  } else if (fullWidthFont().has(ch.cp) || halfWidthFont().has(ch.cp)) {
    Bitmap f = fullWidthFont().has(ch.cp) ? fullWidthFont().glyph(ch.cp) : halfWidthFont().glyph(ch.cp);
    g.blit(f, (kKanjiCell - f.w) / 2, 0);  // a narrow glyph in the middle of its full-width cell
  } else {
    note(missing, ch.cp);
    g = box(kKanjiCell, kKanjiCell);
  }
  int sx = style_.widthMul * (kanji_.doubleWidth ? 2 : 1), sy = style_.heightMul * (kanji_.doubleHeight ? 2 : 1);
  return styled(std::move(g), sx, sy, kanji_.left, kanji_.right, kanji_.underline);
}

Bitmap Renderer::styled(Bitmap g, int sx, int sy, int left, int right, int underline) const {
  if (style_.rotate90) g = rotateCw(g);
  if (style_.bold) {
    Bitmap shifted = g;
    for (int y = 0; y < g.h; ++y)
      for (int x = g.w - 1; x > 0; --x)
        if (g.at(x - 1, y)) shifted.set(x, y, 1);
    g = shifted;
  }
  Bitmap cell(left + g.w + right, g.h);
  cell.blit(g, left, 0);
  cell = scale(cell, sx, sy);
  if (underline) cell.fill(0, cell.h - underline, cell.w, underline, 1);
  for (auto& p : cell.px) {
    if (style_.reverse) p = p ? 0 : 1;
    if (p) p = style_.colour;
  }
  return cell;
}

std::string Renderer::kanjiCommand(const Command& c) {
  int n = argAt(c, 0), d = digitArg(n);
  TextMode& mode = decoder_.mode;
  switch (c.op) {
    case Op::KanjiOn: mode.kanji = true; break;
    case Op::KanjiOff: mode.kanji = false; break;
    case Op::KanjiCode: {
      static const Multibyte kJapanese[] = {Multibyte::Jis, Multibyte::ShiftJis, Multibyte::ShiftJis2004};
      bool japanese = kanjiFamily_ == Multibyte::ShiftJis;
      if (!japanese) return "ignored: Kanji mode reads one code on this printer";
      if (d < 0 || d > 2) return "ignored: no such Kanji code system";
      mode.multibyte = kJapanese[d];
      break;
    }
    case Op::KanjiMode:
      kanji_.doubleWidth = n & 0x04;
      kanji_.doubleHeight = n & 0x08;
      kanji_.underline = (n & 0x80) ? 1 : 0;
      break;
    case Op::KanjiUnderline: kanji_.underline = std::clamp(d, 0, 2); break;
    case Op::KanjiSpacing:
      kanji_.left = n;
      kanji_.right = argAt(c, 1);
      break;
    case Op::KanjiQuad: kanji_.doubleWidth = kanji_.doubleHeight = n & 1; break;
    case Op::KanjiDefine:
      if (c.args.size() < 2) break;
      {
        std::string columns;
        for (std::size_t i = 2; i < c.args.size(); ++i) columns += char(c.args[i]);
        userKanji_[std::uint16_t(c.args[0] << 8 | c.args[1])] =
            fromColumns(reinterpret_cast<const std::uint8_t*>(columns.data()), columns.size(), kKanjiCell, 3, 1);
      }
      break;
    case Op::KanjiCancel: userKanji_.erase(std::uint16_t(n << 8 | argAt(c, 1))); break;
    case Op::KanjiFont:
      if (n == 48 && digitArg(argAt(c, 1)) != 0) return "Kanji font B and C printed as font A (24 x 24)";
      break;
    case Op::CharEncoding:
      if (n == 48) mode.utf8 = digitArg(argAt(c, 1)) == 1;
      else if (n != 60) return "ignored: function " + std::to_string(n);
      break;
    default: break;
  }
  return "";
}

}  // namespace vprinter
