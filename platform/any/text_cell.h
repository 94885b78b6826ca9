// What both text layout implementations share: the clean-up of the code
// points they are handed and the geometry of the cell a run is drawn in.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/text_layout.h"

namespace platform {

// The text with every value that is not a Unicode scalar value (a surrogate,
// anything past U+10FFFF) replaced by U+FFFD.
std::u32string ScalarValues(std::u32string_view text);

// Where the baseline sits and how large the em is for a cell `height` dots
// high: baseline about 80 % down, the em as tall as the space above it.
struct TextCell {
  int32_t baseline = 0;  // rows from the top
  int32_t em = 0;        // dots
};
TextCell CellFor(int32_t height);

// A blank picture `width` (cut to kMaxTextPictureWidth) by `height`; false
// when either is not positive.
bool StartPicture(int32_t width, int32_t height, TextPicture* out);

}  // namespace platform
