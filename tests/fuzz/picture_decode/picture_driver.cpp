#include <vector>

#include "common/opos.h"
#include "service/pipeline/image/bitmap_job.h"
#include "service/pipeline/image/picture_file.h"
#include "tests/fuzz/fuzz_drivers.h"

namespace {

BitmapSettings SettingsFrom(uint8_t b) {
  static const int32_t kRotations[] = {opos::PTR_RP_NORMAL, opos::PTR_RP_RIGHT90, opos::PTR_RP_LEFT90,
                                       opos::PTR_RP_ROTATE180};
  BitmapSettings s;
  s.printerType = 1 + (b & 3) % 3;
  s.capRecColor = (b >> 2) & 1;
  s.letterQuality = (b >> 3) & 1;
  s.rotation = kRotations[(b >> 4) & 3];
  s.widthDots = (b & 0x40) ? 64 : 0;
  s.alignment = (b & 0x80) ? opos::PTR_BM_CENTER : opos::PTR_BM_LEFT;
  return s;
}

}  // namespace

std::string RunPictureDecodeInput(const uint8_t* data, size_t size) {
  if (size == 0) return "";
  RgbImage picture;
  picture.width = -7;
  if (!DecodePicture(data + 1, size - 1, &picture)) {
    return picture.width == -7 ? "" : "a refused file changed the picture";
  }
  if (picture.width <= 0 || picture.height <= 0 || picture.width > kMaxPictureSide ||
      picture.height > kMaxPictureSide ||
      picture.pixels.size() != static_cast<size_t>(picture.width) * static_cast<size_t>(picture.height)) {
    return "decoded picture has a bad size";
  }
  std::vector<std::string> strings;
  const int32_t rc = BuildBitmapJob(picture, SettingsFrom(data[0]), &strings);
  if (rc == opos::OPOS_E_ILLEGAL) return strings.empty() ? "" : "a refused job left strings";
  if (rc != opos::OPOS_SUCCESS) return "unexpected result " + std::to_string(rc);
  if (strings.size() < 2 || strings.back().empty()) return "job without an image";
  return "";
}
