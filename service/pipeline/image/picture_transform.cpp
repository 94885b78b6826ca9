#include "service/pipeline/image/picture_transform.h"

#include <algorithm>

#include "common/opos.h"

namespace {

bool Grey(uint32_t c) { return (c >> 16 & 0xFF) == (c >> 8 & 0xFF) && (c >> 8 & 0xFF) == (c & 0xFF); }

int32_t Luminance(uint32_t c) { return (299 * (c >> 16 & 0xFF) + 587 * (c >> 8 & 0xFF) + 114 * (c & 0xFF)) / 1000; }

// A pixel that can only print through error diffusion.
bool Tone(uint32_t c, bool colour) { return c != kWhite && c != kBlack && (!colour || Grey(c)); }

// Floyd-Steinberg over luminance; pure white and pure black map exactly and
// pass no error on. Colour pixels that keep their second colour pass none.
void Diffuse(const RgbImage& picture, bool colour, DotImage* out) {
  const int32_t w = picture.width;
  std::vector<int32_t> err(static_cast<size_t>(w) + 2, 0), next(static_cast<size_t>(w) + 2, 0);
  for (int32_t y = 0; y < picture.height; ++y) {
    std::fill(next.begin(), next.end(), 0);
    for (int32_t x = 0; x < w; ++x) {
      const uint32_t c = picture.At(x, y);
      uint8_t& dot = out->dots[static_cast<size_t>(y) * w + x];
      if (colour && !Grey(c)) {
        dot = DOT_COLOUR2;
        continue;
      }
      const int32_t want = Luminance(c) + err[x + 1] / 16;
      const bool black = want < 128;
      dot = black ? DOT_COLOUR1 : DOT_BLANK;
      const int32_t e = want - (black ? 0 : 255);
      err[x + 2] += e * 7;
      next[x] += e * 3;
      next[x + 1] += e * 5;
      next[x + 2] += e;
    }
    err.swap(next);
  }
}

}  // namespace

RgbImage RotateBitmap(const RgbImage& picture, int32_t rotationMode) {
  const int32_t w = picture.width, h = picture.height;
  if (rotationMode == opos::PTR_RP_ROTATE180) {
    RgbImage out = picture;
    std::reverse(out.pixels.begin(), out.pixels.end());
    return out;
  }
  const bool left = rotationMode == opos::PTR_RP_LEFT90;
  if (!left && rotationMode != opos::PTR_RP_RIGHT90) return picture;
  RgbImage out(h, w);
  for (int32_t y = 0; y < w; ++y) {
    for (int32_t x = 0; x < h; ++x) {
      out.pixels[static_cast<size_t>(y) * h + x] = left ? picture.At(w - 1 - y, x) : picture.At(y, h - 1 - x);
    }
  }
  return out;
}

RgbImage StretchImage(const RgbImage& picture, int32_t width, int32_t height) {
  if (width == picture.width && height == picture.height) return picture;
  RgbImage out(width, height);
  std::vector<int32_t> column(static_cast<size_t>(width));
  for (int32_t x = 0; x < width; ++x) {
    column[x] = static_cast<int32_t>(static_cast<int64_t>(x) * picture.width / width);
  }
  uint32_t* dst = out.pixels.data();
  for (int32_t y = 0; y < height; ++y) {
    const uint32_t* src = &picture.pixels[static_cast<size_t>(static_cast<int64_t>(y) * picture.height / height) *
                                          picture.width];
    for (int32_t x = 0; x < width; ++x) *dst++ = src[column[x]];
  }
  return out;
}

DotImage ReduceToDots(const RgbImage& picture, bool colour) {
  DotImage out(picture.width, picture.height);
  bool tones = false;
  for (size_t i = 0; i < picture.pixels.size(); ++i) {
    const uint32_t c = picture.pixels[i];
    out.dots[i] = c == kWhite ? DOT_BLANK : c == kBlack ? DOT_COLOUR1 : DOT_COLOUR2;
    tones = tones || Tone(c, colour);
  }
  if (tones) Diffuse(picture, colour, &out);
  return out;
}
