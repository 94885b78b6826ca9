// PNG files whose compressed streams inflate far past what the picture
// needs, refused before libpng or the system's reader gets them.
#include <gtest/gtest.h>
#include <zlib.h>

#include <string>

#include "service/pipeline/image/picture_file.h"

namespace {

std::string Be32(uint32_t v) {
  return {static_cast<char>(v >> 24), static_cast<char>(v >> 16), static_cast<char>(v >> 8), static_cast<char>(v)};
}

std::string Chunk(const std::string& type, const std::string& data) {
  const std::string typed = type + data;
  const uLong crc = crc32(0, reinterpret_cast<const Bytef*>(typed.data()), static_cast<uInt>(typed.size()));
  return Be32(static_cast<uint32_t>(data.size())) + typed + Be32(static_cast<uint32_t>(crc));
}

std::string Deflate(const std::string& raw) {
  uLongf size = compressBound(raw.size());
  std::string out(size, '\0');
  compress2(reinterpret_cast<Bytef*>(&out[0]), &size, reinterpret_cast<const Bytef*>(raw.data()), raw.size(), 9);
  out.resize(size);
  return out;
}

// A 2 x 2 grey picture (rows 10 20 / 30 40) with `chunks` before its data.
const std::string kRows("\0\x10\x20\0\x30\x40", 6);
std::string GreyPng(const std::string& data, const std::string& chunks = "") {
  const std::string header = Be32(2) + Be32(2) + std::string("\x08\x00\x00\x00\x00", 5);
  return "\x89PNG\r\n\x1A\n" + Chunk("IHDR", header) + chunks + Chunk("IDAT", data) + Chunk("IEND", "");
}

bool Decodes(const std::string& file, RgbImage* out = nullptr) {
  RgbImage ignored;
  return DecodePicture(reinterpret_cast<const uint8_t*>(file.data()), file.size(), out ? out : &ignored);
}

TEST(PngInflate, DataOrTextInflatingFarPastThePictureIsRefused) {
  RgbImage got;
  ASSERT_TRUE(Decodes(GreyPng(Deflate(kRows)), &got));
  EXPECT_EQ(got.At(1, 1), 0x404040u);
  // A little data after the rows, and some text, as real files carry.
  const std::string note = Chunk("zTXt", std::string("Comment\0\0", 9) + Deflate(std::string(100000, 'x')));
  EXPECT_TRUE(Decodes(GreyPng(Deflate(kRows + std::string(1000, '\0')), note)));

  // 32 MiB after the rows, from a file of 32 KiB.
  EXPECT_FALSE(Decodes(GreyPng(Deflate(kRows + std::string(32u << 20, '\0')))));
  // Three chunks of 6 MiB of text each, plain and international.
  const std::string text = Deflate(std::string(6u << 20, 'x'));
  const std::string international = Chunk("iTXt", std::string("XML\0\x01\x00\0\0", 8) + text);
  EXPECT_FALSE(Decodes(GreyPng(Deflate(kRows), note + international + international + international)));
  const std::string plain = Chunk("zTXt", std::string("Comment\0\0", 9) + text);
  EXPECT_FALSE(Decodes(GreyPng(Deflate(kRows), plain + plain + plain)));
}

}  // namespace
