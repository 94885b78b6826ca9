#include "tests/support/pictures/picture_bytes.h"

#include <algorithm>
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

InkBox FindInk(const RgbImage& paper, int32_t bottom) {
  InkBox b;
  for (int32_t y = 0; y < std::min(bottom, paper.height); ++y) {
    for (int32_t x = 0; x < paper.width; ++x) {
      if (paper.At(x, y) == kWhite) continue;
      b.x0 = std::min(b.x0, x), b.y0 = std::min(b.y0, y), b.x1 = std::max(b.x1, x), b.y1 = std::max(b.y1, y);
    }
  }
  return b;
}

int32_t InkDifferences(const RgbImage& paper, const InkBox& box, const RgbImage& picture, int32_t scale) {
  int32_t differing = 0;
  for (int32_t y = 0; y < picture.height * scale; ++y) {
    for (int32_t x = 0; x < picture.width * scale; ++x) {
      const bool inked = box.x0 + x < paper.width && box.y0 + y < paper.height &&
                         paper.At(box.x0 + x, box.y0 + y) != kWhite;
      differing += inked != (picture.At(x / scale, y / scale) == kBlack);
    }
  }
  return differing;
}

double InkShare(const RgbImage& paper, const InkBox& box, int32_t from, int32_t to) {
  int32_t ink = 0, all = 0;
  for (int32_t y = box.y0; y <= box.y1; ++y) {
    for (int32_t x = box.x0 + from; x < box.x0 + to && x < paper.width; ++x, ++all) ink += paper.At(x, y) != kWhite;
  }
  return all == 0 ? 0.0 : static_cast<double>(ink) / all;
}

RgbImage TwoLevelLogo() {
  return Draw(96, 40, [](int32_t x, int32_t y) {
    return (x < 2 || y < 2 || x > 93 || y > 37 || ((x / 6 + y / 5) % 3 == 0 && x > 10)) ? kBlack : kWhite;
  });
}

RgbImage GreyRamp() {
  return Draw(160, 48, [](int32_t x, int32_t) {
    const uint32_t v = 255 - static_cast<uint32_t>(x * 255 / 159);
    return v << 16 | v << 8 | v;
  });
}

}  // namespace tavo_test
