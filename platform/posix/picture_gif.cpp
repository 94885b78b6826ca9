// GIF through giflib, record by record: only the first picture is decoded,
// straight into the canvas, so no frame list is built. The canvas starts
// transparent, as the parts the picture does not cover print white.
#include <gif_lib.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <memory>

#include "platform/posix/picture_readers.h"

namespace platform {
namespace {

struct Source {
  const uint8_t* bytes;
  size_t size;
  size_t at;
};

int ReadSource(GifFileType* gif, GifByteType* into, int wanted) {
  Source* s = static_cast<Source*>(gif->UserData);
  const size_t n = wanted <= 0 ? 0 : std::min(static_cast<size_t>(wanted), s->size - s->at);
  std::memcpy(into, s->bytes + s->at, n);
  s->at += n;
  return static_cast<int>(n);
}

struct Close {
  void operator()(GifFileType* gif) const {
    int error = 0;
    DGifCloseFile(gif, &error);
  }
};
using GifFile = std::unique_ptr<GifFileType, Close>;

// Reads the extension's blocks; a graphic control block sets *transparent.
bool ReadExtension(GifFileType* gif, int* transparent) {
  int code = 0;
  GifByteType* block = nullptr;
  if (DGifGetExtension(gif, &code, &block) != GIF_OK) return false;
  if (code == GRAPHICS_EXT_FUNC_CODE && block != nullptr) {
    GraphicsControlBlock gcb{};
    if (DGifExtensionToGCB(block[0], block + 1, &gcb) == GIF_OK) *transparent = gcb.TransparentColor;
  }
  while (block != nullptr) {
    if (DGifGetExtensionNext(gif, &block) != GIF_OK) return false;
  }
  return true;
}

// Rows of an interlaced picture come in four passes.
struct Pass {
  int first, step;
};
constexpr Pass kInterlaced[] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
constexpr Pass kSequential[] = {{0, 1}};

bool ReadPicture(GifFileType* gif, int transparent, RgbaPicture* picture) {
  if (DGifGetImageDesc(gif) != GIF_OK) return false;
  const GifImageDesc& d = gif->Image;
  if (d.Width <= 0 || d.Height <= 0 || d.Left < 0 || d.Top < 0 || d.Left + d.Width > picture->width ||
      d.Top + d.Height > picture->height) {
    return false;
  }
  const ColorMapObject* map = d.ColorMap != nullptr ? d.ColorMap : gif->SColorMap;
  if (map == nullptr || map->Colors == nullptr) return false;
  std::vector<GifPixelType> line(static_cast<size_t>(d.Width));
  const Pass* passes = d.Interlace ? kInterlaced : kSequential;
  const size_t passCount = d.Interlace ? std::size(kInterlaced) : std::size(kSequential);
  for (size_t p = 0; p < passCount; ++p) {
    for (int y = passes[p].first; y < d.Height; y += passes[p].step) {
      if (DGifGetLine(gif, line.data(), d.Width) != GIF_OK) return false;
      uint8_t* out = picture->rgba.data() + (static_cast<size_t>(d.Top + y) * picture->width + d.Left) * 4;
      for (GifPixelType index : line) {
        // An index past the colour table, like the transparent one, leaves
        // the canvas as it is.
        if (index != transparent && index < map->ColorCount) {
          const GifColorType& c = map->Colors[index];
          out[0] = c.Red;
          out[1] = c.Green;
          out[2] = c.Blue;
          out[3] = 255;
        }
        out += 4;
      }
    }
  }
  return true;
}

}  // namespace

bool ReadGif(const uint8_t* bytes, size_t size, const PictureLimits& limits, RgbaPicture* out) {
  Source source{bytes, size, 0};
  int error = 0;
  GifFile gif(DGifOpen(&source, ReadSource, &error));
  if (!gif || !WithinLimits(gif->SWidth, gif->SHeight, limits)) return false;
  RgbaPicture picture;
  picture.width = gif->SWidth;
  picture.height = gif->SHeight;
  picture.rgba.assign(static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height) * 4, 0);
  int transparent = NO_TRANSPARENT_COLOR;
  for (;;) {
    GifRecordType record = UNDEFINED_RECORD_TYPE;
    if (DGifGetRecordType(gif.get(), &record) != GIF_OK) return false;
    if (record == EXTENSION_RECORD_TYPE) {
      if (!ReadExtension(gif.get(), &transparent)) return false;
    } else if (record == IMAGE_DESC_RECORD_TYPE) {
      if (!ReadPicture(gif.get(), transparent, &picture)) return false;
      *out = std::move(picture);
      return true;
    } else {
      return false;  // the trailer before any picture, or junk
    }
  }
}

}  // namespace platform
