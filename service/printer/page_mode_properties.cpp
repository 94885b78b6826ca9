#include "service/printer/page_mode_properties.h"

#include "common/opos.h"
#include "service/common/decimal_text.h"
#include "service/pipeline/page/page_mode.h"

namespace {

int32_t ToDots(const PrinterData& d, int32_t value) {
  return d.print.units.horizontalUnitsToDots.Convert(value, d.print.mapMode);
}

int32_t SetPosition(PrinterData& d, int32_t value, int32_t* units, int32_t* dots) {
  if (value < 0) return opos::OPOS_E_ILLEGAL;
  *units = value;
  *dots = ToDots(d, value);
  d.pageMode.geometryChanged = true;
  return opos::OPOS_SUCCESS;
}

}  // namespace

int32_t SetPageModeHorizontalPosition(PrinterData& d, int32_t value) {
  return SetPosition(d, value, &d.pageMode.horizontalPosition, &d.pageMode.horizontalPositionDots);
}

int32_t SetPageModeVerticalPosition(PrinterData& d, int32_t value) {
  return SetPosition(d, value, &d.pageMode.verticalPosition, &d.pageMode.verticalPositionDots);
}

int32_t SetPageModeStation(PrinterData& d, int32_t value) {
  if (value != opos::PTR_S_RECEIPT && value != opos::PTR_S_SLIP) return opos::OPOS_E_ILLEGAL;
  d.pageMode.station = value;
  return opos::OPOS_SUCCESS;
}

int32_t SetPageModePrintDirection(PrinterData& d, int32_t value) {
  if (value < 1 || value > 4) return opos::OPOS_E_ILLEGAL;
  d.pageMode.printDirection = value;
  d.pageMode.geometryChanged = true;
  return opos::OPOS_SUCCESS;
}

int32_t SetPageModePrintArea(PrinterData& d, const std::string& text) {
  int32_t fields[4];
  if (!ParsePrintArea(text, fields)) return opos::OPOS_E_ILLEGAL;
  PageModeProperties& p = d.pageMode;
  for (int i = 0; i < 4; ++i) {
    p.printAreaUnits[i] = fields[i];
    p.printAreaDots[i] = ToDots(d, fields[i]);
  }
  p.printArea = text;
  p.geometryChanged = true;
  return opos::OPOS_SUCCESS;
}
