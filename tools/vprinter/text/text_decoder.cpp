#include "tools/vprinter/text/text_decoder.h"

#include "tools/vprinter/render/font.h"
#include "tools/vprinter/text/kanji.h"

namespace vprinter {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

struct Range {
  char32_t first, last;
};

bool inRanges(const Range* ranges, std::size_t count, char32_t cp) {
  for (std::size_t i = 0; i < count; ++i)
    if (cp >= ranges[i].first && cp <= ranges[i].last) return true;
  return false;
}

const Range kCombining[] = {
    {0x0300, 0x036F}, {0x0E31, 0x0E31}, {0x0E34, 0x0E3A}, {0x0E47, 0x0E4E}, {0x1AB0, 0x1AFF},
    {0x1DC0, 0x1DFF}, {0x20D0, 0x20FF}, {0x3099, 0x309A}, {0xFE20, 0xFE2F},
};

// East Asian wide and full-width characters (the blocks a printer's Kanji
// font holds) and the emoji planes.
const Range kWide[] = {
    {0x1100, 0x115F}, {0x2E80, 0x303E}, {0x3041, 0x33FF}, {0x3400, 0x4DBF}, {0x4E00, 0x9FFF},
    {0xA000, 0xA4CF}, {0xA960, 0xA97F}, {0xAC00, 0xD7A3}, {0xF900, 0xFAFF}, {0xFE10, 0xFE19},
    {0xFE30, 0xFE6F}, {0xFF00, 0xFF60}, {0xFFE0, 0xFFE6}, {0x1F300, 0x1F64F}, {0x1F900, 0x1F9FF},
    {0x20000, 0x2FFFD}, {0x30000, 0x3FFFD},
};

bool in(std::uint8_t b, std::uint8_t lo, std::uint8_t hi) { return b >= lo && b <= hi; }

// UTF-8, strictly: an ill-formed sequence is one U+FFFD per maximal part
// (a lead byte and the continuation bytes that fit it).
std::size_t utf8Step(const std::uint8_t* p, std::size_t n, std::vector<TextChar>& out) {
  std::uint8_t b = p[0];
  std::size_t need = in(b, 0xC2, 0xDF) ? 2 : in(b, 0xE0, 0xEF) ? 3 : in(b, 0xF0, 0xF4) ? 4 : 1;
  char32_t cp = b < 0x80 ? b : kReplacement;
  if (need == 1) {
    out.push_back({cp, false, false, 0});
    return 1;
  }
  std::uint8_t lo = b == 0xE0 ? 0xA0 : b == 0xF0 ? 0x90 : 0x80;
  std::uint8_t hi = b == 0xED ? 0x9F : b == 0xF4 ? 0x8F : 0xBF;
  cp = b & (0x7F >> need);
  for (std::size_t i = 1; i < need; ++i) {
    if (i >= n) return 0;
    if (!in(p[i], i == 1 ? lo : 0x80, i == 1 ? hi : 0xBF)) {
      out.push_back({kReplacement, false, false, 0});
      return i;
    }
    cp = (cp << 6) | (p[i] & 0x3F);
  }
  out.push_back({cp, isWide(cp), isCombining(cp), 0});
  return need;
}

}  // namespace

bool isCombining(char32_t cp) { return inRanges(kCombining, std::size(kCombining), cp); }
bool isWide(char32_t cp) { return inRanges(kWide, std::size(kWide), cp); }

bool kanjiFamilyNamed(const std::string& name, Multibyte& out) {
  static const struct { const char* name; Multibyte family; } kFamilies[] = {
      {"shift-jis", Multibyte::ShiftJis}, {"gb18030", Multibyte::Gb18030},
      {"big5", Multibyte::Big5}, {"ksc5601", Multibyte::Ksc5601},
  };
  for (const auto& f : kFamilies)
    if (name == f.name) {
      out = f.family;
      return true;
    }
  return false;
}

const char* kanjiFamilyNames() { return "shift-jis, gb18030, big5, ksc5601"; }

void TextDecoder::decode(std::string_view bytes, std::vector<TextChar>& out) {
  pending_.append(bytes);
  const auto* p = reinterpret_cast<const std::uint8_t*>(pending_.data());
  std::size_t pos = 0, n = pending_.size();
  while (pos < n) {
    std::size_t used = mode.utf8    ? utf8Step(p + pos, n - pos, out)
                       : mode.kanji ? kanjiStep(mode, p + pos, n - pos, out)
                                    : singleStep(mode, p[pos], out);
    if (used == 0) break;  // the rest of a character is still to come
    pos += used;
  }
  pending_.erase(0, pos);
}

void TextDecoder::flush(std::vector<TextChar>& out) {
  if (pending_.empty()) return;
  out.push_back({kReplacement, false, false, 0});
  pending_.clear();
}

std::string toUtf8(const std::vector<TextChar>& chars) {
  std::string s;
  for (const TextChar& c : chars) appendUtf8(c.cp, s);
  return s;
}

}  // namespace vprinter
