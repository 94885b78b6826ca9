// Picture files written by hand for the decoder tests: GIF and the BMP
// forms the common writers do not make, and a set of hostile files.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "service/pipeline/image/pixel_image.h"

namespace tavo_test {

// A GIF of the picture (at most 256 colours). With transparent set, pixels
// of that colour get the transparent index; interlaced stores rows in the
// four passes.
std::string GifBytes(const RgbImage& picture, bool interlaced = false, int64_t transparent = -1);

// BMP forms: 1, 4 or 8 bits with a palette (at most 2^bits colours), 16 bits
// 5-6-5 in bit fields, 24 bits, 32 bits with an alpha mask (alpha 255); rows
// bottom-up unless topDown; bits 24 with core set writes the old 12-byte
// header.
struct BmpForm {
  int bits = 24;
  bool topDown = false;
  bool core = false;
};
std::string BmpBytesAs(const RgbImage& picture, const BmpForm& form);

// Files made to break decoders: truncated, sizes beyond every limit, tables
// that overflow, bad compressed data. Name (with the format's extension),
// bytes.
std::vector<std::pair<std::string, std::string>> HostilePictureFiles();

}  // namespace tavo_test
