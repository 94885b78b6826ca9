#include "platform/any/text_cell.h"

#include <algorithm>

namespace platform {

std::u32string ScalarValues(std::u32string_view text) {
  std::u32string out(text);
  for (char32_t& c : out) {
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) c = 0xFFFD;
  }
  return out;
}

TextCell CellFor(int32_t height) {
  TextCell cell;
  cell.baseline = std::max<int32_t>(1, (height * 4 + 2) / 5);
  cell.em = cell.baseline;
  return cell;
}

bool StartPicture(int32_t width, int32_t height, TextPicture* out) {
  *out = TextPicture{};
  if (width <= 0 || height <= 0) return false;
  out->width = std::min(width, kMaxTextPictureWidth);
  out->height = height;
  out->dots.assign(static_cast<size_t>(out->width) * static_cast<size_t>(height), 0);
  return true;
}

}  // namespace platform
