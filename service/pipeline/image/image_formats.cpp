#include "service/pipeline/image/image_formats.h"

#include "service/pipeline/printer_commands.h"

namespace {

constexpr int32_t kMaxField = 0xFFFF;

void PutWord(std::string* out, int64_t v) {
  out->push_back(static_cast<char>(v & 0xFF));
  out->push_back(static_cast<char>((v >> 8) & 0xFF));
}

int32_t BytesPerRow(int32_t width) { return (width + 7) / 8; }

// Rows of the dots for which `printed` holds, as raster bits.
template <typename Pred>
void PutPlane(const DotImage& image, Pred printed, std::string* out) {
  const int32_t x = BytesPerRow(image.width);
  const size_t start = out->size();
  out->resize(start + static_cast<size_t>(x) * image.height, '\0');
  char* row = &(*out)[start];
  const uint8_t* dot = image.dots.data();
  for (int32_t y = 0; y < image.height; ++y, row += x) {
    for (int32_t i = 0; i < image.width; ++i, ++dot) {
      if (printed(*dot)) row[i >> 3] = static_cast<char>(row[i >> 3] | (0x80 >> (i & 7)));
    }
  }
}

bool Valid(const DotImage& image) { return image.width > 0 && image.height > 0; }

}  // namespace

std::string MakeRasterImage(const DotImage& image) {
  const int32_t x = BytesPerRow(image.width);
  if (!Valid(image) || x > kMaxField || image.height > kMaxField) return {};
  std::string out;
  out.reserve(8 + static_cast<size_t>(x) * image.height);
  out.append(cmd::kRasterImage);
  PutWord(&out, x);
  PutWord(&out, image.height);
  PutPlane(image, [](uint8_t d) { return d != DOT_BLANK; }, &out);
  return out;
}

std::string MakeColorGraphics(const DotImage& image) {
  const int64_t x = BytesPerRow(image.width);
  const int64_t length = x * image.height + 10;
  if (!Valid(image) || static_cast<int64_t>(image.width) * image.height > kMaxColorGraphicsPixels ||
      length > kMaxField) {
    return {};
  }
  std::string out;
  for (uint8_t colour : {DOT_COLOUR1, DOT_COLOUR2}) {
    out.append(cmd::kGraphics);
    PutWord(&out, length);
    out.append("\x30\x70\x30\x01\x01", 5);  // store, monochrome, scale 1 x 1
    out.push_back(static_cast<char>('0' + colour));
    PutWord(&out, 8 * x);
    PutWord(&out, image.height);
    PutPlane(image, [colour](uint8_t d) { return d == colour; }, &out);
  }
  out.append(cmd::kGraphicsPrint);
  return out;
}

namespace {

// One line of band columns for one colour, ending in `end`.
void PutBandLine(const DotImage& image, int32_t top, uint8_t colour, char end, std::string* out) {
  out->append(colour == DOT_COLOUR1 ? cmd::kPrintColour1 : cmd::kPrintColour2);
  out->append(cmd::kBitImage8);
  PutWord(out, image.width);
  for (int32_t x = 0; x < image.width; ++x) {
    uint8_t bits = 0;
    for (int32_t r = 0; r < 8 && top + r < image.height; ++r) {
      if (image.At(x, top + r) == colour) bits = static_cast<uint8_t>(bits | (0x80 >> r));
    }
    out->push_back(static_cast<char>(bits));
  }
  out->push_back(end);
}

}  // namespace

std::string MakeBandImage(const DotImage& image, bool letterQuality) {
  if (!Valid(image) || image.width > kMaxField) return {};
  std::string out;
  for (int32_t top = 0; top < image.height; top += 8) {
    if (letterQuality) {
      PutBandLine(image, top, DOT_COLOUR1, cmd::kCarriageReturn, &out);
      PutBandLine(image, top, DOT_COLOUR2, cmd::kCarriageReturn, &out);
    }
    PutBandLine(image, top, DOT_COLOUR1, cmd::kCarriageReturn, &out);
    PutBandLine(image, top, DOT_COLOUR2, cmd::kLineFeed, &out);
  }
  return out;
}
