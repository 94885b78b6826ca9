#include "service/pipeline/print_state.h"

int32_t ConversionRow::Apply(int32_t v) const {
  return div == 0 ? v : static_cast<int32_t>((static_cast<int64_t>(v) * mul + add) / div);
}

int32_t ConversionTable::Convert(int32_t value, int32_t mapMode) const {
  const int index = (mapMode >= 1 && mapMode <= 4) ? mapMode - 1 : 0;
  return rows[index].Apply(value);
}

// Placeholder rows until the pipeline fills them: everything converts as dots.
UnitTables MakeUnitTables(int32_t, int32_t) { return UnitTables{}; }
