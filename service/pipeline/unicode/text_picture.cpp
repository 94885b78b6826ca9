#include "service/pipeline/unicode/text_picture.h"

#include <algorithm>
#include <vector>

#include "platform/text_layout.h"
#include "service/pipeline/printer_commands.h"

namespace unicode {

namespace {

constexpr int kBytesPerColumn = kPictureRows / 8;

// The picture's columns, kBytesPerColumn bytes each (top dot in bit 7 of
// the first), widened and underlined as the look asks.
std::vector<uint8_t> Columns(const platform::TextPicture& pic, const PictureLook& look) {
  const int32_t factor = std::max<int32_t>(1, look.widthFactor);
  const int32_t width = pic.width * factor;
  const int32_t top = kPictureRows - pic.height;
  std::vector<uint8_t> columns(static_cast<size_t>(width) * kBytesPerColumn, 0);
  for (int32_t y = 0; y < pic.height; ++y) {
    const int32_t row = top + y;
    const uint8_t bit = static_cast<uint8_t>(0x80 >> (row % 8));
    for (int32_t x = 0; x < pic.width; ++x) {
      if (!pic.dots[static_cast<size_t>(y) * pic.width + x]) continue;
      for (int32_t k = 0; k < factor; ++k) columns[static_cast<size_t>(x * factor + k) * kBytesPerColumn + row / 8] |= bit;
    }
  }
  if (look.underline) {
    for (int32_t x = 0; x < width; ++x) columns[static_cast<size_t>(x) * kBytesPerColumn + kBytesPerColumn - 1] |= 0x01;
  }
  if (look.reversed) {
    for (uint8_t& b : columns) b = static_cast<uint8_t>(~b);
  }
  return columns;
}

void SendPiece(const uint8_t* columns, int32_t count, ByteSink& out) {
  out.Put(cmd::kBitImage24);
  out.PutByte(static_cast<uint8_t>(count & 0xFF));
  out.PutByte(static_cast<uint8_t>(count >> 8));
  out.Append(reinterpret_cast<const char*>(columns), static_cast<size_t>(count) * kBytesPerColumn);
}

}  // namespace

// What prints when the system draws nothing for a run (no font at all): an
// empty box per character, as a missing glyph shows, so the loss is seen on
// paper instead of the text vanishing.
platform::TextPicture MissingGlyphBoxes(std::u32string_view run, int32_t height) {
  platform::TextPicture pic;
  const int32_t cell = std::max<int32_t>(4, height / 2);
  const size_t fit = static_cast<size_t>(platform::kMaxTextPictureWidth / cell);
  const int32_t count = static_cast<int32_t>(std::min(run.size(), fit));
  pic.width = count * cell;
  pic.height = height;
  pic.dots.assign(static_cast<size_t>(pic.width) * height, 0);
  const int32_t top = height / 5, bottom = height - 2;
  for (int32_t i = 0; i < count; ++i) {
    const int32_t left = i * cell + 1, right = i * cell + cell - 2;
    for (int32_t y = top; y <= bottom; ++y) {
      for (int32_t x = left; x <= right; ++x) {
        if (y == top || y == bottom || x == left || x == right) pic.dots[static_cast<size_t>(y) * pic.width + x] = 1;
      }
    }
  }
  return pic;
}

bool SendPicture(std::u32string_view run, const PictureLook& look, int32_t lineWidth, int32_t* x, ByteSink& out) {
  platform::TextPicture pic;
  const int32_t height = std::clamp<int32_t>(look.cellHeight, 1, kPictureRows);
  if (run.empty()) return false;
  if (!platform::DrawTextRun(run, height, look.bold, &pic) || pic.width <= 0) pic = MissingGlyphBoxes(run, height);
  const std::vector<uint8_t> columns = Columns(pic, look);
  const int32_t width = static_cast<int32_t>(columns.size() / kBytesPerColumn);
  lineWidth = std::max<int32_t>(1, lineWidth);
  if (*x >= lineWidth) *x = 0;
  if (*x > 0 && width <= lineWidth && *x + width > lineWidth) {
    out.PutByte(static_cast<uint8_t>(cmd::kLineFeed));
    *x = 0;
  }
  for (int32_t done = 0; done < width;) {
    if (*x >= lineWidth) *x = 0;
    const int32_t count = std::min(width - done, lineWidth - *x);
    SendPiece(columns.data() + static_cast<size_t>(done) * kBytesPerColumn, count, out);
    done += count;
    *x += count;
  }
  return true;
}

}  // namespace unicode
