// Text the printer's own fonts cannot hold: lines put into display order by
// the Unicode bidirectional algorithm, and runs drawn as 1-bit pictures by the
// system's text rendering (shaping, fonts with fallback). Windows: Uniscribe
// and GDI. Elsewhere: FriBidi, HarfBuzz, FreeType and fontconfig.
//
// Text comes in as code points. Anything that is not a Unicode scalar value
// (a lone surrogate, a value past U+10FFFF) is taken as U+FFFD, so neither
// function ever hands out or draws half a surrogate pair.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// One line, logical order in, display order out, by the Unicode bidirectional
// algorithm; paragraph level from the first strong character (left-to-right
// when there is none). Characters in right-to-left runs that have a mirrored
// form (brackets) are replaced by it. Nothing else changes: the output holds
// the same number of code points. Any thread.
// With `from`, (*from)[i] is the logical index of display position i.
std::u32string VisualOrder(std::u32string_view logical, std::vector<uint32_t>* from = nullptr);

// A run of text drawn by the platform's text rendering.
struct TextPicture {
  int32_t width = 0;          // dots
  int32_t height = 0;         // dots (== requested height)
  std::vector<uint8_t> dots;  // width * height, rows from the top, 1 = black
};

// The tallest picture drawn, and the widest: a wider run is cut at the right.
constexpr int32_t kMaxTextPictureHeight = 1024;
constexpr int32_t kMaxTextPictureWidth = 16384;

// Draws `run` (given in LOGICAL order; bidi reordering and shaping happen
// inside, so an Arabic run comes out right to left and joined) `height` dots
// high, text on the baseline the printer's own font uses for that cell
// height (about 80 % down). The width is the run's advance. False, with *out
// left empty, when the run is empty, the height is outside
// 1..kMaxTextPictureHeight, or nothing could be drawn. Any thread; nothing
// shared between calls.
bool DrawTextRun(std::u32string_view run, int32_t height, bool bold, TextPicture* out);

}  // namespace platform
