#include "service/pipeline/image/picture_file.h"

#include <cstdio>
#include <cstring>

#include "platform/picture_codec.h"

namespace {

uint32_t Le32(const uint8_t* p) { return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24); }

bool StartsWith(const uint8_t* b, size_t n, const char* magic) {
  const size_t m = std::strlen(magic);
  return n >= m && std::memcmp(b, magic, m) == 0;
}

// Some decoders read missing bytes as zeros or grey; these checks refuse
// files that end before the data their headers promise, in every build.
bool BmpComplete(const uint8_t* b, size_t n) {
  if (n < 34) return false;
  const uint32_t offset = Le32(b + 10), headerSize = Le32(b + 14);
  if (headerSize < 40) return true;  // old core header: the decoder checks it
  const int64_t width = static_cast<int32_t>(Le32(b + 18));
  const int64_t height = static_cast<int32_t>(Le32(b + 22));
  const int64_t bpp = b[28] | (b[29] << 8);
  const uint32_t compression = Le32(b + 30);
  if (compression != 0 && compression != 3) return true;  // run-length: the decoder stops at the end
  const int64_t rows = height < 0 ? -height : height;
  // Sizes past the limits are refused here, before they can overflow the
  // product below.
  if (width <= 0 || width > kMaxPictureSide || rows > kMaxPictureSide) return false;
  const int64_t rowBytes = (width * bpp + 31) / 32 * 4;
  return static_cast<int64_t>(offset) + rowBytes * rows <= static_cast<int64_t>(n);
}

// A JPEG ends with its end-of-image marker (trailing junk is tolerated).
bool JpegComplete(const uint8_t* b, size_t n) {
  const size_t from = n > 1024 ? n - 1024 : 0;
  for (size_t i = n; i-- > from + 1;) {
    if (b[i - 1] == 0xFF && b[i] == 0xD9) return true;
  }
  return false;
}

// A GIF ends with its trailer byte.
bool GifComplete(const uint8_t* b, size_t n) {
  const size_t from = n > 16 ? n - 16 : 0;
  for (size_t i = n; i-- > from;) {
    if (b[i] == 0x3B) return true;
  }
  return false;
}

bool Complete(const uint8_t* b, size_t n) {
  if (StartsWith(b, n, "BM")) return BmpComplete(b, n);
  if (StartsWith(b, n, "\xFF\xD8")) return JpegComplete(b, n);
  if (StartsWith(b, n, "GIF8")) return GifComplete(b, n);
  return true;  // PNG: chunk lengths and the compressed stream are checked by the decoder
}

uint32_t OnWhite(const uint8_t* rgba) {
  const uint32_t a = rgba[3];
  uint32_t out = 0;
  for (int i = 0; i < 3; ++i) out = (out << 8) | ((rgba[i] * a + 255 * (255 - a) + 127) / 255);
  return out;
}

}  // namespace

bool DecodePicture(const uint8_t* bytes, size_t size, RgbImage* image) {
  if (bytes == nullptr || size == 0 || size > kMaxPictureFileBytes || !Complete(bytes, size)) return false;
  platform::PictureLimits limits;
  limits.maxSide = kMaxPictureSide;
  limits.maxPixels = kMaxPicturePixels;
  platform::RgbaPicture decoded;
  if (!platform::DecodePictureFile(bytes, size, limits, &decoded)) return false;
  const int32_t w = decoded.width, h = decoded.height;
  if (w <= 0 || h <= 0 || w > kMaxPictureSide || h > kMaxPictureSide || static_cast<int64_t>(w) * h > kMaxPicturePixels ||
      decoded.rgba.size() != static_cast<size_t>(w) * static_cast<size_t>(h) * 4) {
    return false;
  }
  RgbImage out(w, h);
  const uint8_t* p = decoded.rgba.data();
  for (uint32_t& px : out.pixels) {
    px = p[3] == 255 ? (static_cast<uint32_t>(p[0]) << 16 | p[1] << 8 | p[2]) : OnWhite(p);
    p += 4;
  }
  *image = std::move(out);
  return true;
}

bool LoadPictureFile(const std::string& path, RgbImage* image) {
  if (path.empty()) return false;
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (f == nullptr) return false;
  std::string data;
  char buffer[65536];
  size_t n;
  bool fits = true;
  while (fits && (n = std::fread(buffer, 1, sizeof buffer, f)) > 0) {
    fits = data.size() + n <= kMaxPictureFileBytes;
    if (fits) data.append(buffer, n);
  }
  const bool readError = std::ferror(f) != 0;
  std::fclose(f);
  if (!fits || readError) return false;
  return DecodePicture(reinterpret_cast<const uint8_t*>(data.data()), data.size(), image);
}
