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

}  // namespace tavo_test
