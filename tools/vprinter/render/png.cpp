#include "tools/vprinter/render/png.h"

#include <png.h>

#include <cstdio>

namespace vprinter {
namespace {

struct File {
  std::FILE* f;
  ~File() {
    if (f) std::fclose(f);
  }
};

// Writes b through png's I/O set up by `init` (a file or a callback).
const Palette kPaper = {{{255, 255, 255}, {0, 0, 0}, {200, 20, 20}, {20, 40, 200}}};

template <typename Init>
bool encode(const Bitmap& b, const Palette& colours, Init init) {
  if (b.empty()) return false;
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (!info || setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    return false;
  }
  init(png);
  png_set_IHDR(png, info, png_uint_32(b.w), png_uint_32(b.h), 8, PNG_COLOR_TYPE_PALETTE, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_color palette[4];
  for (int i = 0; i < 4; ++i) palette[i] = png_color{colours[i].r, colours[i].g, colours[i].b};
  png_set_PLTE(png, info, palette, 4);
  png_write_info(png, info);
  for (int y = 0; y < b.h; ++y) png_write_row(png, &b.px[std::size_t(y) * b.w]);
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
  static_cast<std::string*>(png_get_io_ptr(png))->append(reinterpret_cast<const char*>(data), length);
}

void noFlush(png_structp) {}

}  // namespace

bool writePng(const std::string& path, const Bitmap& b) {
  if (b.empty()) return false;
  File file{std::fopen(path.c_str(), "wb")};
  if (!file.f) return false;
  return encode(b, kPaper, [&](png_structp png) { png_init_io(png, file.f); });
}

std::string encodePng(const Bitmap& b) { return encodePng(b, kPaper); }

std::string encodePng(const Bitmap& b, const Palette& palette) {
  std::string out;
  if (!encode(b, palette, [&](png_structp png) { png_set_write_fn(png, &out, appendBytes, noFlush); })) out.clear();
  return out;
}

}  // namespace vprinter
