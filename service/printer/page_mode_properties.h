// Setters of the page-mode properties. Positions and the print area are
// kept in MapMode units and in dots; every dots value uses the horizontal
// units-to-dots table, vertical ones included. Each returns the result code
// and leaves the old value on refusal.
#pragma once

#include <cstdint>
#include <string>

#include "service/printer/printer_data.h"

int32_t SetPageModeHorizontalPosition(PrinterData& d, int32_t value);
int32_t SetPageModeVerticalPosition(PrinterData& d, int32_t value);
int32_t SetPageModeStation(PrinterData& d, int32_t value);
int32_t SetPageModePrintDirection(PrinterData& d, int32_t value);
// "x,y,w,h": four decimal fields; fewer than three commas is refused.
int32_t SetPageModePrintArea(PrinterData& d, const std::string& text);
