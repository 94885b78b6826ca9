// PrintBitmap, SetBitmap and SetLogo: image files made into printer bytes,
// printed at once or stored for ESC|1B, ESC|2B, ESC|tL and ESC|bL.
#include "common/opos.h"
#include "service/pipeline/binary_conversion.h"
#include "service/pipeline/image/bitmap_job.h"
#include "service/pipeline/image/picture_file.h"
#include "service/printer/pos_printer.h"

using namespace opos;

namespace {
constexpr int32_t kLowestAlignment = PTR_BM_RIGHT;
}  // namespace

// Loads, turns (by the rotation mode unless stored), scales and encodes.
int32_t CPOSPrinter::MakeBitmapJob(const std::string& fileName, int32_t width, int32_t alignment, bool stored,
                                   std::vector<std::string>* strings) {
  RgbImage picture;
  if (!LoadPictureFile(fileName, &picture)) return OPOS_E_ILLEGAL;
  BitmapSettings s;
  {
    std::lock_guard<std::mutex> guard(output_->PrintStateMutex());
    const PrintState& p = d_.print;
    s.printerType = p.printerType;
    s.capRecColor = p.capRecColor;
    s.widthDots = width > 0 ? p.units.horizontalUnitsToDots.Convert(width, p.mapMode) : width;
    s.rotation = stored ? PTR_RP_NORMAL : p.rotation;
    s.lineSpacingDots = stored ? 0 : p.lineSpacingDots;
  }
  s.letterQuality = d_.recLetterQuality;
  s.alignment = alignment;
  return BuildBitmapJob(picture, s, strings);
}

int32_t CPOSPrinter::PrintBitmap(int32_t station, const std::string& fileName, int32_t width, int32_t alignment) {
  if (!CheckState(CHECK_CLAIMED | CHECK_ENABLED)) return d_.resultCode;
  std::vector<std::string> strings;
  if (station != PTR_S_RECEIPT || alignment < kLowestAlignment ||
      MakeBitmapJob(fileName, width, alignment, false, &strings) != OPOS_SUCCESS) {
    return Result(OPOS_E_ILLEGAL);
  }
  output_->SubmitOutput(flags_.asyncMode != 0, strings);
  return d_.resultCode;
}

int32_t CPOSPrinter::SetBitmap(int32_t bitmapNumber, int32_t station, const std::string& fileName, int32_t width,
                               int32_t alignment) {
  if (!CheckState(CHECK_CLAIMED | CHECK_ENABLED)) return d_.resultCode;
  std::vector<std::string> strings;
  if (station != PTR_S_RECEIPT || (bitmapNumber != 1 && bitmapNumber != 2) || alignment < kLowestAlignment ||
      MakeBitmapJob(fileName, width, alignment, true, &strings) != OPOS_SUCCESS) {
    return Result(OPOS_E_ILLEGAL);
  }
  std::lock_guard<std::mutex> guard(output_->PrintStateMutex());
  PrintState& p = d_.print;
  p.bitmaps[bitmapNumber - 1] = std::move(strings);
  p.bitmapRestoresSpacing[bitmapNumber - 1] = p.printerType == 1 || p.printerType == 3;
  return Result(OPOS_SUCCESS);
}

// The logo is kept as text: it ends before its first NUL.
int32_t CPOSPrinter::SetLogo(int32_t location, const std::string& data) {
  if (!CheckState(CHECK_CLAIMED | CHECK_ENABLED)) return d_.resultCode;
  if (location != PTR_L_TOP && location != PTR_L_BOTTOM) return Result(OPOS_E_ILLEGAL);
  std::string logo = DecodeBinaryConversion(d_.print.binaryConversion, data);
  logo.resize(logo.find('\0') == std::string::npos ? logo.size() : logo.find('\0'));
  std::lock_guard<std::mutex> guard(output_->PrintStateMutex());
  PrintState& p = d_.print;
  (location == PTR_L_TOP ? p.topLogo : p.bottomLogo) = std::move(logo);
  (location == PTR_L_TOP ? p.topLogoSet : p.bottomLogoSet) = true;
  return Result(OPOS_SUCCESS);
}
