// PNG output of an indexed bitmap (libpng).
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "tools/vprinter/render/bitmap.h"

namespace vprinter {

// Writes b as a palette PNG (white, black, red, blue); false on any failure.
bool writePng(const std::string& path, const Bitmap& b);
// The same PNG in memory; empty on failure.
std::string encodePng(const Bitmap& b);

struct Rgb {
  std::uint8_t r, g, b;
};
using Palette = std::array<Rgb, 4>;
// A PNG in memory with the bitmap's four colours given.
std::string encodePng(const Bitmap& b, const Palette& palette);

}  // namespace vprinter
