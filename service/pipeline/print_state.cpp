#include "service/pipeline/print_state.h"

#include <algorithm>
#include <limits>

int32_t ConversionRow::Apply(int32_t v) const {
  if (div == 0) return v;
  const int64_t r = (static_cast<int64_t>(v) * mul + add) / div;
  const int64_t lo = std::numeric_limits<int32_t>::min();
  const int64_t hi = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::clamp(r, lo, hi));
}

int32_t ConversionTable::Convert(int32_t value, int32_t mapMode) const {
  const int index = (mapMode >= 1 && mapMode <= 4) ? mapMode - 1 : 0;
  return rows[index].Apply(value);
}

// Rows per MapMode: dots, twips, thousandths of an inch, hundredths of a mm.
// H and W are dots per inch, T twips per dot. The printer moves paper in
// half dots, hence the factor 2 in every row of the feed table.
UnitTables MakeUnitTables(int32_t dpiHigh, int32_t dpiWidth) {
  const int32_t h = dpiHigh > 0 ? dpiHigh : kDefaultDpi;
  const int32_t w = dpiWidth > 0 ? dpiWidth : kDefaultDpi;
  const int32_t t = std::max<int32_t>(1, 1440 / h);
  UnitTables u;
  u.verticalDotsToUnits = {{{1, 0, 1}, {t, 0, 1}, {1000, h / 2, h}, {2540, h / 2, h}}};
  u.verticalUnitsToDots = {{{1, 0, 1}, {1, t / 2, t}, {h, 500, 1000}, {h, 1270, 2540}}};
  u.horizontalDotsToUnits = {{{1, 0, 1}, {1440, w / 2, w}, {1000, w / 2, w}, {2540, w / 2, w}}};
  u.horizontalUnitsToDots = {{{1, 0, 1}, {w, 720, 1440}, {w, 500, 1000}, {w, 1270, 2540}}};
  u.feedUnitsToHalfDots = {{{2, 0, 1}, {2, t / 2, t}, {2 * h, 500, 1000}, {2 * h, 1270, 2540}}};
  return u;
}
