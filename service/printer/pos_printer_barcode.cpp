// PrintBarCode: checks, unit conversion, and the symbol's commands as a
// one-string job.
#include "common/opos.h"
#include "service/pipeline/barcode/bar_code.h"
#include "service/pipeline/binary_conversion.h"
#include "service/pipeline/state_prefix.h"
#include "service/printer/pos_printer.h"

using namespace opos;

int32_t CPOSPrinter::PrintBarCode(int32_t station, const std::string& data, int32_t symbology, int32_t height,
                                  int32_t width, int32_t alignment, int32_t textPosition) {
  if (!CheckState(CHECK_CLAIMED | CHECK_ENABLED | CHECK_NOT_BUSY)) return d_.resultCode;
  if (d_.capRecBarCode == 0 || station != PTR_S_RECEIPT || d_.rotateSpecial != PTR_RP_NORMAL ||
      !SymbologyOffered(symbology, d_.symbologyList)) {
    return Result(OPOS_E_ILLEGAL);
  }
  if (width > d_.recLineWidth) {
    d_.resultCodeExtended = OPOS_EPTR_TOOBIG;
    return Result(OPOS_E_ILLEGAL);
  }
  const PrintState& s = d_.print;
  const auto toDots = [&s](int32_t v) { return v > 0 ? s.units.horizontalUnitsToDots.Convert(v, s.mapMode) : v; };
  const std::string decoded = DecodeBinaryConversion(s.binaryConversion, data);
  const BarCodeLayout layout{alignment, textPosition, FontByteFor(s)};
  std::string bytes;
  const int32_t rc = IsTwoDimensional(symbology)
                         ? BuildTwoDimensionalCode(decoded, symbology, layout, &bytes)
                         : BuildLinearBarCode(decoded, symbology, toDots(height), toDots(width), layout, &bytes);
  if (rc != OPOS_SUCCESS) return Result(OPOS_E_ILLEGAL);
  JobTally tally;
  tally.barcodes = 1;
  output_->SubmitOutput(flags_.asyncMode != 0, {bytes}, tally);
  return d_.resultCode;
}
