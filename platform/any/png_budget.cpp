#include "platform/any/png_budget.h"

#include <zlib.h>

#include <cstring>

#include "platform/any/picture_readers.h"

namespace platform {
namespace {

constexpr uint64_t kDataSlack = 64u << 10;
constexpr uint64_t kTextBudget = 16u << 20;

uint32_t Be32(const uint8_t* p) { return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }

// The filtered rows' bytes of a width x height picture: a filter byte and
// the pixels of each row, over the whole picture or the seven passes of an
// interlaced one.
uint64_t RowBytes(uint64_t width, uint64_t height, uint32_t bitsPerPixel, bool interlaced) {
  // Each pass: first column and row, then the steps between them.
  static const uint32_t kPasses[8][4] = {{0, 0, 1, 1}, {0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8},
                                         {2, 0, 4, 4}, {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
  const size_t first = interlaced ? 1 : 0, last = interlaced ? 8 : 1;
  uint64_t total = 0;
  for (size_t i = first; i < last; ++i) {
    const uint32_t* pass = kPasses[i];
    const uint64_t w = width > pass[0] ? (width - pass[0] + pass[2] - 1) / pass[2] : 0;
    const uint64_t h = height > pass[1] ? (height - pass[1] + pass[3] - 1) / pass[3] : 0;
    if (w != 0 && h != 0) total += h * (1 + (w * bitsPerPixel + 7) / 8);
  }
  return total;
}

uint32_t BitsPerPixel(uint32_t depth, uint32_t colourType) {
  switch (colourType) {
    case 0: case 3: return depth;
    case 2: return depth * 3;
    case 4: return depth * 2;
    case 6: return depth * 4;
    default: return 64;
  }
}

// One zlib stream fed in pieces; counts what it inflates and stops at the
// stream's end, at damage (left for libpng to report), or past the budget.
class CountingInflater {
 public:
  explicit CountingInflater(uint64_t budget) : budget_(budget) { ready_ = inflateInit(&z_) == Z_OK; }
  ~CountingInflater() {
    if (ready_) inflateEnd(&z_);
  }
  CountingInflater(const CountingInflater&) = delete;
  CountingInflater& operator=(const CountingInflater&) = delete;

  void Feed(const uint8_t* bytes, size_t size) {
    if (!ready_ || ended_ || Exceeded()) return;
    z_.next_in = const_cast<Bytef*>(bytes);
    z_.avail_in = static_cast<uInt>(size);
    while (z_.avail_in > 0 && !ended_ && !Exceeded()) {
      z_.next_out = scratch_;
      z_.avail_out = sizeof scratch_;
      const int rc = inflate(&z_, Z_NO_FLUSH);
      produced_ += sizeof scratch_ - z_.avail_out;
      if (rc != Z_OK) ended_ = true;  // the end, or damage
    }
  }
  bool Exceeded() const { return produced_ > budget_; }
  uint64_t Produced() const { return produced_; }

 private:
  z_stream z_{};
  Bytef scratch_[32768];
  uint64_t budget_;
  uint64_t produced_ = 0;
  bool ready_ = false;
  bool ended_ = false;
};

// Where a text chunk's compressed text starts, or 0 when it has none.
size_t CompressedTextAt(const uint8_t* type, const uint8_t* data, size_t length) {
  const uint8_t* end = data + length;
  const uint8_t* nul = static_cast<const uint8_t*>(std::memchr(data, 0, length));
  if (nul == nullptr) return 0;
  if (std::memcmp(type, "zTXt", 4) == 0) return end - nul > 2 ? static_cast<size_t>(nul + 2 - data) : 0;
  if (std::memcmp(type, "iTXt", 4) != 0 || end - nul < 3 || nul[1] != 1) return 0;
  // Flag, method, then the language tag and the translated keyword.
  const uint8_t* at = nul + 3;
  for (int field = 0; field < 2; ++field) {
    at = static_cast<const uint8_t*>(std::memchr(at, 0, static_cast<size_t>(end - at)));
    if (at == nullptr) return 0;
    ++at;
  }
  return static_cast<size_t>(at - data);
}

}  // namespace

bool PngInflatesWithinBudgets(const uint8_t* bytes, size_t size, const PictureLimits& limits) {
  if (size < 33 || std::memcmp(bytes + 12, "IHDR", 4) != 0) return true;
  const uint32_t width = Be32(bytes + 16), height = Be32(bytes + 20);
  if (!WithinLimits(width, height, limits)) return false;
  const uint64_t rows = RowBytes(width, height, BitsPerPixel(bytes[24], bytes[25]), bytes[28] != 0);
  CountingInflater data(rows + kDataSlack);
  uint64_t text = 0;
  for (size_t at = 8; size - at >= 12;) {
    const uint32_t length = Be32(bytes + at);
    if (length > size - at - 12) return true;
    const uint8_t* type = bytes + at + 4;
    const uint8_t* body = bytes + at + 8;
    if (std::memcmp(type, "IEND", 4) == 0) break;
    if (std::memcmp(type, "IDAT", 4) == 0) {
      data.Feed(body, length);
      if (data.Exceeded()) return false;
    } else if (const size_t from = CompressedTextAt(type, body, length)) {
      CountingInflater chunk(kTextBudget - text);
      chunk.Feed(body + from, length - from);
      if (chunk.Exceeded()) return false;
      text += chunk.Produced();
    }
    at += 12 + static_cast<size_t>(length);
  }
  return true;
}

}  // namespace platform
