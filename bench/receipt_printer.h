// The print state of a typical 80 mm receipt printer (42 columns, 180 dpi,
// cutter), shared by the translation benchmarks.
#pragma once

#include "service/pipeline/state_prefix.h"

inline PrintState ReceiptPrinter() {
  PrintState s;
  s.printerType = 1;
  s.capRecPapercut = 1;
  s.capRecRotate180 = 1;
  s.linecharsNormal = 42;
  s.recLineChars = 42;
  s.lineSpacingDots = 30;
  s.recLinesToPaperCut = 4;
  s.units = MakeUnitTables(180, 180);
  return s;
}
