// The shape of a skinned window: runs of pixels in the transparent colour,
// found row by row in a 32-bit pixel buffer. Portable, so the rule is
// tested without a screen; the region itself is made in win32/.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace skin {

// A pixel as a 32-bit device-independent section holds it: 0x00RRGGBB.
inline uint8_t Red(uint32_t pixel) { return static_cast<uint8_t>(pixel >> 16); }
inline uint8_t Green(uint32_t pixel) { return static_cast<uint8_t>(pixel >> 8); }
inline uint8_t Blue(uint32_t pixel) { return static_cast<uint8_t>(pixel); }

// Channel values counted as transparent: c - 17 .. c + 17, held in 0..255.
struct Band {
  uint8_t low;
  uint8_t high;
};
Band BandOf(uint8_t channel);

// One run, one pixel high: columns [left, right) of row y.
struct Run {
  int left;
  int right;
  int y;
};

// Runs of transparent pixels, rows from the top, each row left to right.
// rows hold width pixels each, top row first.
std::vector<Run> TransparentRuns(const uint32_t* pixels, int width, int height, uint8_t red, uint8_t green,
                                 uint8_t blue);

}  // namespace skin
