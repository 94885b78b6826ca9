// BMP, read strictly: uncompressed or bit-field pixels of 1, 4, 8, 16, 24 or
// 32 bits, every row inside the file. Run-length files are refused.
#include <algorithm>
#include <cstring>

#include "platform/any/picture_readers.h"

namespace platform {
namespace {

constexpr size_t kFileHeaderBytes = 14;
constexpr uint32_t kCoreHeader = 12;  // OS/2: 16-bit sizes, 3-byte palette entries
constexpr uint32_t kRgb = 0, kBitFields = 3, kAlphaBitFields = 6;

uint32_t Le16(const uint8_t* p) { return p[0] | p[1] << 8; }
uint32_t Le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

// One channel of a bit-field pixel, scaled to 0..255; a channel without
// bits reads as `absent`.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;

  explicit Channel(uint32_t m = 0) : mask(m) {
    if (mask == 0) return;
    while (((mask >> shift) & 1) == 0) ++shift;
    max = mask >> shift;
  }
  uint8_t Of(uint32_t pixel, uint8_t absent) const {
    if (max == 0) return absent;
    return static_cast<uint8_t>((static_cast<uint64_t>((pixel & mask) >> shift) * 255 + max / 2) / max);
  }
};

struct Header {
  int64_t width = 0, height = 0;
  bool topDown = false;
  uint32_t bits = 0, compression = kRgb;
  uint32_t paletteEntryBytes = 4, paletteCount = 0;
  size_t paletteAt = 0;
  uint32_t masks[4] = {0, 0, 0, 0};  // red, green, blue, alpha
};

bool ReadHeader(const uint8_t* b, size_t n, Header* h) {
  if (n < kFileHeaderBytes + 4) return false;
  const uint32_t headerBytes = Le32(b + kFileHeaderBytes);
  if (headerBytes < kCoreHeader || headerBytes > n - kFileHeaderBytes) return false;
  const uint8_t* info = b + kFileHeaderBytes;
  if (headerBytes == kCoreHeader) {
    h->width = Le16(info + 4);
    h->height = Le16(info + 6);
    h->bits = Le16(info + 10);
    h->paletteEntryBytes = 3;
  } else {
    if (headerBytes < 40) return false;
    h->width = static_cast<int32_t>(Le32(info + 4));
    const int32_t height = static_cast<int32_t>(Le32(info + 8));
    h->topDown = height < 0;
    h->height = height < 0 ? -static_cast<int64_t>(height) : height;
    h->bits = Le16(info + 14);
    h->compression = Le32(info + 16);
    h->paletteCount = Le32(info + 32);
  }
  h->paletteAt = kFileHeaderBytes + headerBytes;
  if (h->compression == kBitFields || h->compression == kAlphaBitFields) {
    // Masks follow a 40-byte header, or sit inside a longer one.
    const size_t count = h->compression == kAlphaBitFields || headerBytes >= 56 ? 4 : 3;
    if (h->bits != 16 && h->bits != 32) return false;
    if (headerBytes == 40) h->paletteAt += count * 4;
    if (kFileHeaderBytes + 40 + count * 4 > n) return false;
    for (size_t i = 0; i < count; ++i) h->masks[i] = Le32(info + 40 + i * 4);
  } else if (h->compression != kRgb) {
    return false;
  } else if (h->bits == 16) {
    h->masks[0] = 0x7C00, h->masks[1] = 0x03E0, h->masks[2] = 0x001F;
  } else if (h->bits == 32) {
    h->masks[0] = 0xFF0000, h->masks[1] = 0xFF00, h->masks[2] = 0xFF;
  }
  if (h->bits <= 8) {
    const uint32_t full = 1u << h->bits;
    if (h->paletteCount == 0 || h->paletteCount > full) h->paletteCount = full;
  }
  return h->bits == 1 || h->bits == 4 || h->bits == 8 || h->bits == 16 || h->bits == 24 || h->bits == 32;
}

}  // namespace

bool ReadBmp(const uint8_t* b, size_t n, const PictureLimits& limits, RgbaPicture* out) {
  Header h;
  if (!ReadHeader(b, n, &h) || !WithinLimits(h.width, h.height, limits)) return false;
  const uint64_t dataAt = Le32(b + 10);
  const uint64_t rowBytes = (static_cast<uint64_t>(h.width) * h.bits + 31) / 32 * 4;
  if (dataAt < h.paletteAt || dataAt > n || rowBytes * static_cast<uint64_t>(h.height) > n - dataAt) return false;
  // A palette shorter than its count, or overlapping the pixels, is cut to
  // what lies before them; indices past it read as black.
  uint8_t palette[256][3] = {};
  if (h.bits <= 8) {
    const uint64_t room = (dataAt - h.paletteAt) / h.paletteEntryBytes;
    const uint32_t count = static_cast<uint32_t>(std::min<uint64_t>(h.paletteCount, room));
    for (uint32_t i = 0; i < count; ++i) {
      const uint8_t* e = b + h.paletteAt + static_cast<size_t>(i) * h.paletteEntryBytes;
      palette[i][0] = e[2], palette[i][1] = e[1], palette[i][2] = e[0];
    }
  }
  const Channel channels[4] = {Channel(h.masks[0]), Channel(h.masks[1]), Channel(h.masks[2]), Channel(h.masks[3])};
  RgbaPicture picture;
  picture.width = static_cast<int32_t>(h.width);
  picture.height = static_cast<int32_t>(h.height);
  picture.rgba.resize(static_cast<size_t>(h.width) * static_cast<size_t>(h.height) * 4);
  bool anyAlpha = false;
  for (int64_t y = 0; y < h.height; ++y) {
    const uint8_t* row = b + dataAt + rowBytes * static_cast<uint64_t>(h.topDown ? y : h.height - 1 - y);
    uint8_t* o = picture.rgba.data() + static_cast<size_t>(y) * static_cast<size_t>(h.width) * 4;
    for (int64_t x = 0; x < h.width; ++x, o += 4) {
      if (h.bits <= 8) {
        const uint64_t bit = static_cast<uint64_t>(x) * h.bits;
        const uint32_t index = (row[bit / 8] >> (8 - h.bits - bit % 8)) & ((1u << h.bits) - 1);
        std::memcpy(o, palette[index], 3);
        o[3] = 255;
      } else if (h.bits == 24) {
        const uint8_t* p = row + x * 3;
        o[0] = p[2], o[1] = p[1], o[2] = p[0], o[3] = 255;
      } else {
        const uint8_t* p = row + x * (h.bits / 8);
        const uint32_t v = h.bits == 16 ? Le16(p) : Le32(p);
        for (int c = 0; c < 4; ++c) o[c] = channels[c].Of(v, c == 3 ? 255 : 0);
        anyAlpha = anyAlpha || (channels[3].max != 0 && o[3] != 0);
      }
    }
  }
  // Bit-field files often carry an alpha mask with every alpha zero: they
  // mean an opaque picture.
  if (channels[3].max != 0 && !anyAlpha) {
    for (size_t i = 3; i < picture.rgba.size(); i += 4) picture.rgba[i] = 255;
  }
  *out = std::move(picture);
  return true;
}

}  // namespace platform
