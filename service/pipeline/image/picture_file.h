// Image files (BMP, PNG, JPEG, GIF), decoded by the platform's picture
// decoder (platform/picture_codec.h). Sizes are checked before anything
// large is allocated, and truncated files are refused in every build.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "service/pipeline/image/pixel_image.h"

// Largest file read, and the largest picture decoded (pixels, and either
// side): far beyond any receipt, far below what would strain memory.
constexpr size_t kMaxPictureFileBytes = 32u << 20;
constexpr int64_t kMaxPicturePixels = 16ll << 20;
constexpr int32_t kMaxPictureSide = 16384;

// Decodes an image file held in memory. Transparent pixels are laid on
// white. False (and *image untouched) for an unknown format, a truncated
// file or one whose header claims more data than it holds, or a picture
// beyond the limits above.
bool DecodePicture(const uint8_t* bytes, size_t size, RgbImage* image);

// Reads the file whole and decodes it. False when it cannot be opened or
// read, is larger than kMaxPictureFileBytes, or does not decode.
bool LoadPictureFile(const std::string& path, RgbImage* image);
