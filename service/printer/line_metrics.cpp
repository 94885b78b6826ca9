#include "service/printer/line_metrics.h"

#include "common/opos.h"
#include "common/trace.h"

namespace {

constexpr int32_t kMinLineChars = 10;
constexpr int32_t kMinSpacingDots = 12;
constexpr int32_t kMaxSpacingDots = 50;
// Paper between the print head and the cutter, in dots.
constexpr int32_t kCutterDistanceDots = 143;

bool CompressedFont(const PrinterData& d) { return d.print.recLineChars > d.print.linecharsNormal; }

}  // namespace

void RecomputeLineMetrics(PrinterData& d) {
  const UnitTables& t = d.print.units;
  const int32_t mode = d.print.mapMode;
  d.recLineHeight = t.verticalDotsToUnits.Convert(d.metrics.lineHeightDots, mode);
  d.recLineSpacing = t.verticalDotsToUnits.Convert(d.print.lineSpacingDots, mode);
  d.recLineWidth = t.horizontalDotsToUnits.Convert(d.metrics.lineWidthDots, mode);
  d.print.resendFlags |= RESEND_LINE_SPACING;
}

void LineMetricsToDots(PrinterData& d) {
  const ConversionTable& toDots = d.print.units.verticalUnitsToDots;
  const int32_t mode = d.print.mapMode;
  d.metrics.lineHeightDots = toDots.Convert(d.recLineHeight, mode);
  d.print.lineSpacingDots = toDots.Convert(d.recLineSpacing, mode);
  d.print.resendFlags |= RESEND_LINE_SPACING;
}

int32_t ApplyRecLineChars(PrinterData& d, int32_t requested) {
  Trace("Set Property : Characeter line number = %d", static_cast<int>(requested));
  const int32_t v = requested < kMinLineChars ? kMinLineChars : requested;
  int32_t rc = opos::OPOS_SUCCESS;
  if (v <= d.print.linecharsNormal) {
    d.print.recLineChars = d.print.linecharsNormal;
  } else {
    d.print.recLineChars = d.print.linecharsCompressed;
    if (v > d.print.linecharsCompressed) rc = opos::OPOS_E_ILLEGAL;
  }
  d.print.fontByte = CompressedFont(d) ? 1 : 0;
  RecomputeLineMetrics(d);
  return rc;
}

void ApplyRecLineHeight(PrinterData& d) {
  LineMetricsToDots(d);
  d.metrics.lineHeightDots =
      CompressedFont(d) ? d.geometry.dotsPerCompressedCharHeight : d.geometry.dotsPerNormalCharHeight;
  d.print.lineSpacingDots = d.metrics.defaultLineSpacingDots;
  RecomputeLineMetrics(d);
}

void ApplyRecLineSpacing(PrinterData& d, int32_t value) {
  d.recLineSpacing = value;
  LineMetricsToDots(d);
  int32_t& spacing = d.print.lineSpacingDots;
  if (spacing < kMinSpacingDots) spacing = kMinSpacingDots;
  if (spacing > kMaxSpacingDots) spacing = kMaxSpacingDots;
  RecomputeLineMetrics(d);
  d.print.recLinesToPaperCut = (d.metrics.lineHeightDots + spacing + kCutterDistanceDots) / spacing;
}

int32_t ApplyMapMode(PrinterData& d, int32_t value) {
  if (value < opos::PTR_MM_DOTS || value > opos::PTR_MM_METRIC) return opos::OPOS_E_ILLEGAL;
  d.print.mapMode = value;
  RecomputeLineMetrics(d);
  return opos::OPOS_SUCCESS;
}
