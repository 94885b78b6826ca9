// Decoding of picture files (PNG, JPEG, GIF, BMP). PNG and JPEG, the
// complex formats, by code the platform keeps patched: on Windows the
// system's imaging component (WIC), elsewhere libpng and libjpeg-turbo.
// BMP and GIF by strict readers of our own, the same in every build and
// fuzzed. The same tests run in every build, so the native decoders are
// held against the system's under Wine.
//
// Threads: any; nothing is shared between calls. On Windows a call
// initialises COM on its thread for its own duration when the thread has
// not done so already.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace platform {

struct PictureLimits {
  int32_t maxSide = 0;    // either side, in pixels
  int64_t maxPixels = 0;  // width times height
};

// Four bytes a pixel (R, G, B, alpha not premultiplied), rows from the top.
struct RgbaPicture {
  int32_t width = 0;
  int32_t height = 0;
  std::vector<uint8_t> rgba;
};

// Decodes the first picture of the file. The size is checked against the
// limits from the header, before any pixel memory is taken. False (and *out
// untouched) for any other format, a damaged or truncated file, or a
// picture beyond the limits.
bool DecodePictureFile(const uint8_t* bytes, size_t size, const PictureLimits& limits, RgbaPicture* out);

}  // namespace platform
