// Reading a model's capability profile (an initialisation file named by the
// device entry's "inf") into a printer's data. Keys are read and applied in
// a fixed order because later steps build on earlier ones: the character
// set goes through the code-page table at once, the page-mode values
// through their setters, the resolution fills this printer's conversion
// tables, and the line-character rule runs last.
#pragma once

#include <cstdint>
#include <string>

#include "service/printer/printer_data.h"

// Missing keys read as 0 or empty, so a missing file gives all defaults.
// Returns 0, or 106 when the profile gives no usable receipt: RecLineChars
// or RecLineWidth ends up 0, or DPIHIGH or DPIWIDTH is not positive (the
// conversion tables then keep their previous values).
int32_t ReadCapabilityProfile(const std::string& path, PrinterData& d);
