// A picture of the customer display as it looks now: the glowing
// characters on the dark tube, dimmed to its brightness.
#pragma once

#include <string>

#include "tools/vprinter/display/screen.h"
#include "tools/vprinter/render/bitmap.h"

namespace vprinter {

// Colour 0 the tube, 1 a lit dot, 2 an unlit cell.
Bitmap displayBitmap(const Screen& screen);
// The picture as PNG; blinking cells are shown lit.
std::string displayPng(const Screen& screen);

}  // namespace vprinter
