// Pictures in memory: decoded colours, and the dots a printer image format
// is made from.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// Colours as 0xRRGGBB, row by row from the top left.
struct RgbImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint32_t> pixels;

  RgbImage() = default;
  RgbImage(int32_t w, int32_t h, uint32_t fill = 0xFFFFFF)
      : width(w), height(h), pixels(static_cast<size_t>(w) * static_cast<size_t>(h), fill) {}
  uint32_t At(int32_t x, int32_t y) const { return pixels[static_cast<size_t>(y) * width + x]; }
  bool Empty() const { return width <= 0 || height <= 0; }
};

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

// One byte per dot: DOT_BLANK, DOT_COLOUR1 (black) or DOT_COLOUR2.
enum DotClass : uint8_t { DOT_BLANK = 0, DOT_COLOUR1 = 1, DOT_COLOUR2 = 2 };

struct DotImage {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> dots;

  DotImage() = default;
  DotImage(int32_t w, int32_t h)
      : width(w), height(h), dots(static_cast<size_t>(w) * static_cast<size_t>(h), DOT_BLANK) {}
  uint8_t At(int32_t x, int32_t y) const { return dots[static_cast<size_t>(y) * width + x]; }
};
