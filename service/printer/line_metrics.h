// The line-metric rules behind RecLineChars, RecLineHeight, RecLineSpacing,
// RecLineWidth and MapMode. The properties hold MapMode units, the metrics
// hold dots; every change goes through dots and back so the units follow
// the current MapMode.
#pragma once

#include <cstdint>

#include "service/printer/printer_data.h"

// Property values from the dots values, in the current MapMode; marks the
// line spacing for resending.
void RecomputeLineMetrics(PrinterData& d);

// Dots values from RecLineHeight and RecLineSpacing; marks the line spacing
// for resending.
void LineMetricsToDots(PrinterData& d);

// RecLineChars only ever holds LinecharsNormal or LinecharsCompressed; a
// request above the compressed count still selects it but gives 106.
// Returns the result code.
int32_t ApplyRecLineChars(PrinterData& d, int32_t requested);

// The requested height is not used: the current font decides it.
void ApplyRecLineHeight(PrinterData& d);

// Line spacing limited to 12..50 dots; also recomputes RecLinesToPaperCut.
void ApplyRecLineSpacing(PrinterData& d, int32_t value);

// 1..4 accepted; returns the result code.
int32_t ApplyMapMode(PrinterData& d, int32_t value);
