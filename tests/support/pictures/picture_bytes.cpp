#include "tests/support/pictures/picture_bytes.h"

#include <vector>

#include <stb_image_write.h>

namespace tavo_test {
namespace {

std::vector<unsigned char> Rgb(const RgbImage& p) {
  std::vector<unsigned char> out;
  out.reserve(p.pixels.size() * 3);
  for (uint32_t c : p.pixels) {
    out.push_back(static_cast<unsigned char>(c >> 16));
    out.push_back(static_cast<unsigned char>(c >> 8));
    out.push_back(static_cast<unsigned char>(c));
  }
  return out;
}

void Append(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
}

}  // namespace

RgbImage Draw(int32_t width, int32_t height, const std::function<uint32_t(int32_t, int32_t)>& colour) {
  RgbImage p(width, height);
  for (int32_t y = 0; y < height; ++y) {
    for (int32_t x = 0; x < width; ++x) p.pixels[static_cast<size_t>(y) * width + x] = colour(x, y);
  }
  return p;
}

std::string PngBytes(const RgbImage& p) {
  std::string out;
  stbi_write_png_to_func(Append, &out, p.width, p.height, 3, Rgb(p).data(), p.width * 3);
  return out;
}

std::string BmpBytes(const RgbImage& p) {
  std::string out;
  stbi_write_bmp_to_func(Append, &out, p.width, p.height, 3, Rgb(p).data());
  return out;
}

std::string JpegBytes(const RgbImage& p) {
  std::string out;
  stbi_write_jpg_to_func(Append, &out, p.width, p.height, 3, Rgb(p).data(), 95);
  return out;
}

}  // namespace tavo_test
