// A picture made into the strings of a bitmap job: alignment, line spacing
// for the band formats, and the image in the format the printer takes.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "service/pipeline/image/pixel_image.h"

struct BitmapSettings {
  int32_t printerType = 1;    // command class 1, 2 or 3
  int32_t capRecColor = 0;
  int32_t letterQuality = 0;  // RecLetterQuality
  int32_t widthDots = 0;      // 0 or less: the picture's own width
  int32_t alignment = 0;      // PTR_BM_LEFT, PTR_BM_CENTER, anything else right
  int32_t rotation = 1;       // rotation mode; PrintBitmap only, SetBitmap passes PTR_RP_NORMAL
  int32_t lineSpacingDots = 0;  // the text's line spacing, restored after a band image
};

// The command that puts the text's line spacing back after a band image
// (command classes 1 and 3); empty for the other classes or no spacing.
std::string LineSpacingRestore(int32_t printerType, int32_t lineSpacingDots);

// Widest image of command classes 1 and 3, in dots.
constexpr int32_t kMaxWidthClass1 = 200;
constexpr int32_t kMaxWidthClass3 = 248;

// Turns, scales, reduces and encodes the picture. The band classes set an
// 8-dot line spacing for the image and put the text's spacing back after
// it, so lines printed after the picture do not overlap. Returns 0, or
// OPOS_E_ILLEGAL when the scaled picture has no rows or columns, exceeds
// the decoder's size limits, or does not fit the chosen format.
int32_t BuildBitmapJob(const RgbImage& picture, const BitmapSettings& settings, std::vector<std::string>* strings);
