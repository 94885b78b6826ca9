// PNG output of an indexed bitmap (libpng).
#pragma once

#include <string>

#include "tools/vprinter/render/bitmap.h"

namespace vprinter {

// Writes b as a palette PNG (white, black, red, blue); false on any failure.
bool writePng(const std::string& path, const Bitmap& b);
// The same PNG in memory; empty on failure.
std::string encodePng(const Bitmap& b);

}  // namespace vprinter
