// GIF, read strictly: the first picture only, laid on a transparent canvas
// of the screen's size (what it does not cover prints white). Refused: a
// picture outside the screen or without a colour table, an LZW code size
// outside 2..8, codes that name no table entry, and data that ends before
// the picture is full.
#include <algorithm>
#include <array>
#include <vector>

#include "platform/any/picture_readers.h"

namespace platform {
namespace {

constexpr int kMaxCodes = 4096;

struct Cursor {
  const uint8_t* bytes;
  size_t size;
  size_t at = 0;

  bool Has(size_t n) const { return n <= size - at; }
  uint32_t U8() { return bytes[at++]; }
  uint32_t U16() {
    const uint32_t v = bytes[at] | bytes[at + 1] << 8;
    at += 2;
    return v;
  }
};

// Sub-blocks (length, bytes) up to the empty one, appended to *data when
// given. False when they run past the end of the file.
bool ReadSubBlocks(Cursor* c, std::vector<uint8_t>* data) {
  for (;;) {
    if (!c->Has(1)) return false;
    const size_t n = c->U8();
    if (n == 0) return true;
    if (!c->Has(n)) return false;
    if (data != nullptr) data->insert(data->end(), c->bytes + c->at, c->bytes + c->at + n);
    c->at += n;
  }
}

struct ColourTable {
  const uint8_t* rgb = nullptr;
  uint32_t count = 0;
};

bool ReadColourTable(Cursor* c, uint32_t flags, ColourTable* table) {
  if ((flags & 0x80) == 0) return true;
  const uint32_t count = 2u << (flags & 7);
  if (!c->Has(count * 3)) return false;
  table->rgb = c->bytes + c->at;
  table->count = count;
  c->at += count * 3;
  return true;
}

// LSB-first codes of 3 to 12 bits.
class CodeReader {
 public:
  explicit CodeReader(const std::vector<uint8_t>& data) : data_(data) {}
  bool Next(int width, uint32_t* code) {
    while (count_ < width) {
      if (at_ == data_.size()) return false;
      bits_ |= static_cast<uint32_t>(data_[at_++]) << count_;
      count_ += 8;
    }
    *code = bits_ & ((1u << width) - 1);
    bits_ >>= width;
    count_ -= width;
    return true;
  }

 private:
  const std::vector<uint8_t>& data_;
  size_t at_ = 0;
  uint32_t bits_ = 0;
  int count_ = 0;
};

// Decodes exactly `total` indices into *out.
bool DecodeLzw(const std::vector<uint8_t>& data, int minCodeSize, size_t total, std::vector<uint8_t>* out) {
  std::array<uint16_t, kMaxCodes> prefix{};
  std::array<uint8_t, kMaxCodes> suffix{}, first{};
  std::array<uint16_t, kMaxCodes> length{};
  const uint32_t clear = 1u << minCodeSize, end = clear + 1;
  for (uint32_t i = 0; i < clear; ++i) suffix[i] = first[i] = static_cast<uint8_t>(i), length[i] = 1;
  CodeReader reader(data);
  int width = minCodeSize + 1;
  uint32_t next = clear + 2;
  int64_t previous = -1;
  out->assign(total, 0);
  size_t written = 0;
  while (written < total) {
    uint32_t code = 0;
    if (!reader.Next(width, &code)) return false;
    if (code == clear) {
      width = minCodeSize + 1, next = clear + 2, previous = -1;
      continue;
    }
    if (code == end) return false;  // ends before the picture is full
    uint32_t string = code;
    if (previous < 0) {
      if (code >= clear) return false;
    } else if (code > next || (code == next && next >= kMaxCodes)) {
      return false;
    } else if (next < kMaxCodes) {
      // The new entry: the previous string and the first index of this one
      // (of the previous string itself when the code is the one being made).
      const uint32_t p = static_cast<uint32_t>(previous);
      prefix[next] = static_cast<uint16_t>(p);
      suffix[next] = code == next ? first[p] : first[code];
      first[next] = first[p];
      length[next] = static_cast<uint16_t>(length[p] + 1);
      ++next;
      if (next == (1u << width) && width < 12) ++width;
    }
    // Writes the string backwards from its end, cut at the picture's end.
    for (uint32_t i = length[string], k = string; i-- > 0; k = prefix[k]) {
      if (written + i < total) (*out)[written + i] = suffix[k];
    }
    written += length[string];
    previous = code;
  }
  return true;
}

}  // namespace

bool ReadGif(const uint8_t* bytes, size_t size, const PictureLimits& limits, RgbaPicture* out) {
  Cursor c{bytes, size};
  if (!c.Has(13)) return false;
  c.at = 6;
  const uint32_t screenWidth = c.U16(), screenHeight = c.U16(), screenFlags = c.U8();
  c.at += 2;
  if (!WithinLimits(screenWidth, screenHeight, limits)) return false;
  ColourTable global;
  if (!ReadColourTable(&c, screenFlags, &global)) return false;
  int transparent = -1;
  for (;;) {
    if (!c.Has(1)) return false;
    const uint32_t introducer = c.U8();
    if (introducer == 0x21) {
      if (!c.Has(1)) return false;
      const uint32_t label = c.U8();
      // Graphic control: flags, delay (2), transparent index.
      if (label == 0xF9 && c.Has(5) && bytes[c.at] >= 4) {
        if (bytes[c.at + 1] & 1) transparent = bytes[c.at + 4];
      }
      if (!ReadSubBlocks(&c, nullptr)) return false;
      continue;
    }
    if (introducer != 0x2C || !c.Has(9)) return false;  // the trailer before a picture, or junk
    const uint32_t left = c.U16(), top = c.U16(), width = c.U16(), height = c.U16(), flags = c.U8();
    if (width == 0 || height == 0 || left + width > screenWidth || top + height > screenHeight) return false;
    ColourTable local;
    if (!ReadColourTable(&c, flags, &local)) return false;
    const ColourTable& table = local.rgb != nullptr ? local : global;
    if (table.rgb == nullptr || !c.Has(1)) return false;
    const int minCodeSize = static_cast<int>(c.U8());
    if (minCodeSize < 2 || minCodeSize > 8) return false;
    std::vector<uint8_t> data;
    if (!ReadSubBlocks(&c, &data)) return false;
    std::vector<uint8_t> indices;
    if (!DecodeLzw(data, minCodeSize, static_cast<size_t>(width) * height, &indices)) return false;

    RgbaPicture picture;
    picture.width = static_cast<int32_t>(screenWidth);
    picture.height = static_cast<int32_t>(screenHeight);
    picture.rgba.assign(static_cast<size_t>(screenWidth) * screenHeight * 4, 0);
    // Rows of an interlaced picture come in four passes.
    static const uint32_t kPasses[4][2] = {{0, 8}, {4, 8}, {2, 4}, {1, 2}};
    const bool interlaced = (flags & 0x40) != 0;
    const uint8_t* index = indices.data();
    for (int pass = 0; pass < (interlaced ? 4 : 1); ++pass) {
      const uint32_t start = interlaced ? kPasses[pass][0] : 0, step = interlaced ? kPasses[pass][1] : 1;
      for (uint32_t y = start; y < height; y += step) {
        uint8_t* o = picture.rgba.data() + ((static_cast<size_t>(top + y) * screenWidth) + left) * 4;
        for (uint32_t x = 0; x < width; ++x, ++index, o += 4) {
          // Indices past the table, like the transparent one, leave the canvas.
          if (*index == transparent || *index >= table.count) continue;
          std::copy(table.rgb + *index * 3, table.rgb + *index * 3 + 3, o);
          o[3] = 255;
        }
      }
    }
    *out = std::move(picture);
    return true;
  }
}

}  // namespace platform
