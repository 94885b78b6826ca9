// Picks the reader by the file's signature.
#include <cstring>

#include "platform/any/picture_readers.h"

namespace platform {
namespace {

struct Format {
  const char* signature;
  size_t length;
  bool (*read)(const uint8_t*, size_t, const PictureLimits&, RgbaPicture*);
};

const Format kFormats[] = {
    {"\x89PNG\r\n\x1A\n", 8, ReadPng},
    {"\xFF\xD8\xFF", 3, ReadJpeg},
    {"GIF87a", 6, ReadGif},
    {"GIF89a", 6, ReadGif},
    {"BM", 2, ReadBmp},
};

}  // namespace

bool DecodePictureFile(const uint8_t* bytes, size_t size, const PictureLimits& limits, RgbaPicture* out) {
  if (bytes == nullptr) return false;
  for (const Format& f : kFormats) {
    if (size >= f.length && std::memcmp(bytes, f.signature, f.length) == 0) return f.read(bytes, size, limits, out);
  }
  return false;
}

}  // namespace platform
