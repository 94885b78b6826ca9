// A guard in front of the PNG readers of every build. A reader inflates
// every compressed text chunk while it reads the header, and after the last
// row it inflates whatever picture data is left, to find the stream's end:
// compressed a thousandfold, a small file would keep it busy for minutes.
// So the streams are first inflated here (and thrown away), counted against
// budgets: the picture's own row bytes and a little slack, and a fixed
// amount of text.
#pragma once

#include "platform/picture_codec.h"

namespace platform {

// False when the file's picture data or its text inflate past their
// budgets, or its header's size is beyond the limits. Anything else wrong
// with the file is left for the reader.
bool PngInflatesWithinBudgets(const uint8_t* bytes, size_t size, const PictureLimits& limits);

}  // namespace platform
