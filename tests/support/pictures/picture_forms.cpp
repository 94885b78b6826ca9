#include "tests/support/pictures/picture_forms.h"

#include <algorithm>
#include <map>

#include "tests/support/pictures/picture_bytes.h"

namespace tavo_test {
namespace {

void Le16(std::string* s, uint32_t v) {
  s->push_back(static_cast<char>(v & 0xFF));
  s->push_back(static_cast<char>((v >> 8) & 0xFF));
}
void Le32(std::string* s, uint32_t v) {
  Le16(s, v & 0xFFFF);
  Le16(s, v >> 16);
}
void Put32At(std::string* s, size_t at, uint32_t v) {
  std::string le;
  Le32(&le, v);
  s->replace(at, 4, le);
}

// Colour -> index, in order of first appearance.
std::map<uint32_t, uint32_t> Palette(const RgbImage& p) {
  std::map<uint32_t, uint32_t> index;
  for (uint32_t c : p.pixels) index.emplace(c, static_cast<uint32_t>(index.size()));
  return index;
}

// LZW codes of 9 bits with a clear code before the table would grow, so
// every pixel is one literal code.
std::string GifImageData(const std::vector<uint8_t>& indices) {
  std::string out(1, '\x08');  // minimum code size
  std::string packed;
  uint32_t bits = 0, count = 0, sinceClear = 0;
  auto emit = [&](uint32_t code) {
    bits |= code << count;
    count += 9;
    while (count >= 8) {
      packed.push_back(static_cast<char>(bits & 0xFF));
      bits >>= 8;
      count -= 8;
    }
  };
  emit(256);
  for (uint8_t i : indices) {
    if (sinceClear == 254) emit(256), sinceClear = 0;
    emit(i);
    ++sinceClear;
  }
  emit(257);
  if (count > 0) packed.push_back(static_cast<char>(bits & 0xFF));
  for (size_t at = 0; at < packed.size(); at += 255) {
    const size_t n = std::min<size_t>(255, packed.size() - at);
    out.push_back(static_cast<char>(n));
    out += packed.substr(at, n);
  }
  out.push_back('\0');
  return out;
}

uint32_t Crc32(const std::string& bytes) {
  uint32_t crc = 0xFFFFFFFFu;
  for (unsigned char b : bytes) {
    crc ^= b;
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
  }
  return ~crc;
}

std::string Be32(uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

// A PNG whose header claims width x height, with a correct checksum.
std::string PngClaiming(uint32_t width, uint32_t height) {
  std::string png = PngBytes(RgbImage(4, 4, 0));
  std::string ihdr = "IHDR" + Be32(width) + Be32(height) + png.substr(24, 5);
  png.replace(12, 17, ihdr);
  png.replace(29, 4, Be32(Crc32(ihdr)));
  return png;
}

// The JPEG with a Huffman table whose counts add up to 257 codes, one more
// than a table holds.
std::string JpegWithOverfullHuffmanTable() {
  std::string segment = "\x13";
  const uint8_t counts[16] = {0, 2, 255, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
  segment.append(reinterpret_cast<const char*>(counts), 16);
  for (int i = 0; i < 257; ++i) segment.push_back(static_cast<char>(i));
  std::string dht = "\xFF\xC4";
  dht.push_back(static_cast<char>((segment.size() + 2) >> 8));
  dht.push_back(static_cast<char>((segment.size() + 2) & 0xFF));
  std::string jpeg = JpegBytes(RgbImage(8, 8, 0x808080));
  return jpeg.insert(2, dht + segment);
}

}  // namespace

std::string GifBytes(const RgbImage& p, bool interlaced, int64_t transparent) {
  const std::map<uint32_t, uint32_t> palette = Palette(p);
  std::string out = "GIF89a";
  Le16(&out, static_cast<uint32_t>(p.width));
  Le16(&out, static_cast<uint32_t>(p.height));
  out += "\xF7";  // global table of 256 entries
  out += std::string(2, '\0');
  std::string table(256 * 3, '\0');
  for (const auto& [colour, i] : palette) {
    table[i * 3] = static_cast<char>(colour >> 16);
    table[i * 3 + 1] = static_cast<char>(colour >> 8);
    table[i * 3 + 2] = static_cast<char>(colour);
  }
  out += table;
  if (transparent >= 0) {
    out += std::string("\x21\xF9\x04\x01\x00\x00", 6);
    out.push_back(static_cast<char>(palette.at(static_cast<uint32_t>(transparent))));
    out.push_back('\0');
  }
  out += "\x2C";
  out += std::string(4, '\0');
  Le16(&out, static_cast<uint32_t>(p.width));
  Le16(&out, static_cast<uint32_t>(p.height));
  out.push_back(interlaced ? '\x40' : '\0');
  std::vector<uint8_t> indices;
  const int passes[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
  for (int pass = 0; pass < (interlaced ? 4 : 1); ++pass) {
    for (int32_t y = interlaced ? passes[pass][0] : 0; y < p.height; y += interlaced ? passes[pass][1] : 1) {
      for (int32_t x = 0; x < p.width; ++x) indices.push_back(static_cast<uint8_t>(palette.at(p.At(x, y))));
    }
  }
  out += GifImageData(indices);
  out += ";";
  return out;
}

std::string BmpBytesAs(const RgbImage& p, const BmpForm& form) {
  const bool indexed = form.bits <= 8;
  const std::map<uint32_t, uint32_t> palette = indexed ? Palette(p) : std::map<uint32_t, uint32_t>{};
  const uint32_t headerBytes = form.core ? 12 : form.bits == 16 || form.bits == 32 ? 56 : 40;
  const uint32_t paletteBytes = indexed ? (1u << form.bits) * 4 : 0;
  const uint32_t rowBytes = (static_cast<uint32_t>(p.width) * form.bits + 31) / 32 * 4;
  std::string out = "BM";
  Le32(&out, 14 + headerBytes + paletteBytes + rowBytes * p.height);
  Le32(&out, 0);
  Le32(&out, 14 + headerBytes + paletteBytes);
  Le32(&out, headerBytes);
  if (form.core) {
    Le16(&out, p.width), Le16(&out, p.height), Le16(&out, 1), Le16(&out, form.bits);
  } else {
    Le32(&out, p.width), Le32(&out, form.topDown ? -p.height : p.height), Le16(&out, 1), Le16(&out, form.bits);
    Le32(&out, form.bits == 16 || form.bits == 32 ? 3 : 0);
    Le32(&out, rowBytes * p.height), Le32(&out, 2835), Le32(&out, 2835), Le32(&out, 0), Le32(&out, 0);
    if (headerBytes == 56) {
      const uint32_t masks16[4] = {0xF800, 0x07E0, 0x001F, 0};
      const uint32_t masks32[4] = {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000};
      for (uint32_t m : form.bits == 16 ? masks16 : masks32) Le32(&out, m);
    }
  }
  std::string table(paletteBytes, '\0');
  for (const auto& [colour, i] : palette) {
    table[i * 4] = static_cast<char>(colour), table[i * 4 + 1] = static_cast<char>(colour >> 8);
    table[i * 4 + 2] = static_cast<char>(colour >> 16);
  }
  out += table;
  for (int32_t r = 0; r < p.height; ++r) {
    const int32_t y = form.topDown ? r : p.height - 1 - r;
    std::string row(rowBytes, '\0');
    for (int32_t x = 0; x < p.width; ++x) {
      const uint32_t c = p.At(x, y);
      if (indexed) {
        const uint32_t bit = static_cast<uint32_t>(x) * form.bits;
        row[bit / 8] = static_cast<char>(row[bit / 8] | palette.at(c) << (8 - form.bits - bit % 8));
      } else if (form.bits == 16) {
        const uint32_t v = ((c >> 19) & 0x1F) << 11 | ((c >> 10) & 0x3F) << 5 | ((c >> 3) & 0x1F);
        row[x * 2] = static_cast<char>(v), row[x * 2 + 1] = static_cast<char>(v >> 8);
      } else {
        const int n = form.bits / 8;
        row[x * n] = static_cast<char>(c), row[x * n + 1] = static_cast<char>(c >> 8);
        row[x * n + 2] = static_cast<char>(c >> 16);
        if (n == 4) row[x * n + 3] = '\xFF';
      }
    }
    out += row;
  }
  return out;
}

std::vector<std::pair<std::string, std::string>> HostilePictureFiles() {
  const RgbImage small(9, 7, 0x204060);
  const std::string png = PngBytes(small), jpeg = JpegBytes(small), bmp = BmpBytes(small), gif = GifBytes(small);
  std::vector<std::pair<std::string, std::string>> files = {
      {"huffman_counts_past_256.jpg", JpegWithOverfullHuffmanTable()},
      {"truncated.png", png.substr(0, png.size() / 2)},
      {"truncated.jpg", jpeg.substr(0, jpeg.size() / 2)},
      {"truncated.bmp", bmp.substr(0, bmp.size() - 5)},
      {"truncated.gif", gif.substr(0, gif.size() / 2)},
      {"header_only.png", png.substr(0, 33)},
      {"signature_only.jpg", "\xFF\xD8\xFF"},
      {"huge.png", PngClaiming(100000, 100000)},
      {"huge_area.png", PngClaiming(16000, 16000)},
      {"zero_width.png", PngClaiming(0, 5)},
  };
  std::string hugeJpeg = jpeg;  // the frame header claims 65535 x 65535
  const size_t frame = hugeJpeg.find("\xFF\xC0");
  hugeJpeg.replace(frame + 5, 4, "\xFF\xFF\xFF\xFF");
  files.emplace_back("huge.jpg", hugeJpeg);
  std::string hugeBmp = bmp;
  Put32At(&hugeBmp, 18, 0x7FFFFFFF);
  Put32At(&hugeBmp, 22, 0x80000000u);
  files.emplace_back("huge.bmp", hugeBmp);
  // An 8-bit BMP claiming 2^32-1 palette entries with its pixels inside the header.
  std::string palette = BmpBytesAs(small, {8, false, false});
  Put32At(&palette, 46, 0xFFFFFFFFu);
  Put32At(&palette, 10, 20);
  files.emplace_back("palette_overrun.bmp", palette);
  std::string masks = BmpBytesAs(small, {16, false, false});
  Put32At(&masks, 54, 0), Put32At(&masks, 58, 0xFFFFFFFFu), Put32At(&masks, 62, 0x80000001u);
  files.emplace_back("odd_masks.bmp", masks);
  std::string headerSize = bmp;
  Put32At(&headerSize, 14, 0xFFFFFFF0u);
  files.emplace_back("header_size.bmp", headerSize);
  std::string hugeGif = gif;
  hugeGif[6] = hugeGif[7] = hugeGif[8] = hugeGif[9] = '\xFF';
  files.emplace_back("huge_screen.gif", hugeGif);
  std::string outside = gif;  // the picture's left edge past the screen
  outside[6 + 7 + 768 + 1] = '\x40';
  files.emplace_back("image_outside_screen.gif", outside);
  std::string codeSize = gif;  // an LZW code size no decoder allows
  codeSize[6 + 7 + 768 + 10] = '\x0F';
  files.emplace_back("lzw_code_size.gif", codeSize);
  std::string noTable = gif;
  noTable[10] = '\0';
  files.emplace_back("no_colour_table.gif", noTable.erase(13, 768));
  return files;
}

}  // namespace tavo_test
