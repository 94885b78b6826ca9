// One reader per picture format behind platform/picture_codec.h. Each
// checks the header's size against the limits before taking pixel memory
// and returns false, with *out untouched, for anything it cannot decode
// whole. PNG and JPEG go to the platform's libraries (posix/ and win32/);
// BMP and GIF, small formats whose system readers differ from one system to
// the next, are read here, strictly, the same in every build.
#pragma once

#include "platform/picture_codec.h"

namespace platform {

bool ReadPng(const uint8_t* bytes, size_t size, const PictureLimits& limits, RgbaPicture* out);
bool ReadJpeg(const uint8_t* bytes, size_t size, const PictureLimits& limits, RgbaPicture* out);
bool ReadGif(const uint8_t* bytes, size_t size, const PictureLimits& limits, RgbaPicture* out);
bool ReadBmp(const uint8_t* bytes, size_t size, const PictureLimits& limits, RgbaPicture* out);

// True when a width x height picture is within the limits.
inline bool WithinLimits(int64_t width, int64_t height, const PictureLimits& limits) {
  return width > 0 && height > 0 && width <= limits.maxSide && height <= limits.maxSide &&
         width * height <= limits.maxPixels;
}

}  // namespace platform
