#include "service/pipeline/image/bitmap_job.h"

#include <algorithm>

#include "common/opos.h"
#include "service/pipeline/image/image_formats.h"
#include "service/pipeline/image/picture_file.h"
#include "service/pipeline/image/picture_transform.h"
#include "service/pipeline/printer_commands.h"

namespace {

using namespace opos;

enum class Format { Raster, ColorGraphics, Band };

Format FormatFor(const BitmapSettings& s) {
  if (s.capRecColor != 0) return s.printerType == 2 ? Format::ColorGraphics : Format::Band;
  return s.printerType == 1 ? Format::Band : Format::Raster;
}

// Target size by the class limits; false when it has no rows or columns or
// is beyond the picture limits.
bool TargetSize(const RgbImage& picture, const BitmapSettings& s, int32_t* width, int32_t* height) {
  int64_t w = s.widthDots > 0 ? s.widthDots : picture.width;
  if (s.printerType == 1) w = std::min<int64_t>(w, kMaxWidthClass1);
  if (s.printerType == 3) w = std::min<int64_t>(w, kMaxWidthClass3);
  int64_t h = w * picture.height / picture.width;
  if (s.printerType == 2 && s.letterQuality == 1) {
    w /= 2;
    h /= 2;
  }
  if (w <= 0 || h <= 0 || w > kMaxPictureSide || h > kMaxPictureSide || w * h > kMaxPicturePixels) return false;
  *width = static_cast<int32_t>(w);
  *height = static_cast<int32_t>(h);
  return true;
}

std::string_view AlignmentCommand(int32_t alignment) {
  if (alignment == PTR_BM_LEFT) return cmd::kAlignLeft;
  if (alignment == PTR_BM_CENTER) return cmd::kAlignCentre;
  return cmd::kAlignRight;
}

}  // namespace

int32_t BuildBitmapJob(const RgbImage& picture, const BitmapSettings& s, std::vector<std::string>* strings) {
  if (picture.Empty()) return OPOS_E_ILLEGAL;
  const RgbImage turned = RotateBitmap(picture, s.rotation);
  int32_t width = 0, height = 0;
  if (!TargetSize(turned, s, &width, &height)) return OPOS_E_ILLEGAL;
  const Format format = FormatFor(s);
  const DotImage dots = ReduceToDots(StretchImage(turned, width, height), s.capRecColor != 0);
  std::string image;
  switch (format) {
    case Format::Raster: image = MakeRasterImage(dots); break;
    case Format::ColorGraphics: image = MakeColorGraphics(dots); break;
    case Format::Band: image = MakeBandImage(dots, s.letterQuality == 1); break;
  }
  if (image.empty()) return OPOS_E_ILLEGAL;
  const bool bandClass = s.printerType == 1 || s.printerType == 3;
  strings->emplace_back(AlignmentCommand(s.alignment));
  if (bandClass) strings->emplace_back(cmd::kImageLineSpacing);
  // The picture is turned already: the printer's upside-down mode is off
  // around it.
  if (bandClass && s.rotation == PTR_RP_ROTATE180) {
    image = std::string(cmd::kUpsideDown) + '\x00' + image + std::string(cmd::kUpsideDown) + '\x01';
  }
  strings->push_back(std::move(image));
  const std::string restore = LineSpacingRestore(s.printerType, s.lineSpacingDots);
  if (!restore.empty()) strings->push_back(restore);
  return OPOS_SUCCESS;
}

std::string LineSpacingRestore(int32_t printerType, int32_t lineSpacingDots) {
  if ((printerType != 1 && printerType != 3) || lineSpacingDots <= 0) return std::string();
  return std::string(cmd::kLineSpacing) + static_cast<char>((2 * lineSpacingDots) & 0xFF);
}
