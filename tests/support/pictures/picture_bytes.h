// Pictures for tests: drawn in memory and written as image files.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "service/pipeline/image/pixel_image.h"

namespace tavo_test {

// A picture whose pixel (x, y) is colour(x, y).
RgbImage Draw(int32_t width, int32_t height, const std::function<uint32_t(int32_t, int32_t)>& colour);

// File bytes of the picture in each format (JPEG at quality 95).
std::string PngBytes(const RgbImage& picture);
std::string BmpBytes(const RgbImage& picture);
std::string JpegBytes(const RgbImage& picture);

// Bounding box of the ink (pixels not white) in rows above `bottom`; x1 < 0
// when there is none.
struct InkBox {
  int32_t x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
  int32_t Width() const { return x1 - x0 + 1; }
  int32_t Height() const { return y1 - y0 + 1; }
};
InkBox FindInk(const RgbImage& paper, int32_t bottom);

// Pixels of `paper` inside box where ink differs from the black pixels of
// `picture` scaled by `scale`.
int32_t InkDifferences(const RgbImage& paper, const InkBox& box, const RgbImage& picture, int32_t scale);

// Share of inked pixels in columns [from, to) of the box's rows.
double InkShare(const RgbImage& paper, const InkBox& box, int32_t from, int32_t to);

// Two test pictures: a two-level logo (frame and diagonal blocks) and a
// grey ramp, light on the left to dark on the right.
RgbImage TwoLevelLogo();
RgbImage GreyRamp();

}  // namespace tavo_test
