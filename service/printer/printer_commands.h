// Command bytes the printer object itself sends (the pipeline and the
// output path own the rest).
#pragma once

#include <cstdint>

namespace printer_commands {

// ESC = 1 (select the printer), ESC c 3 15 (all paper sensors signal paper
// end), ESC c 4 0 (no sensor stops printing).
constexpr uint8_t kHandshake[] = {0x1B, 0x3D, 0x01, 0x1B, 0x63, 0x33, 0x0F, 0x1B, 0x63, 0x34, 0x00};
// Two NULs to finish any half-sent command, then ESC @ (initialise).
constexpr uint8_t kInitialise[] = {0x00, 0x00, 0x1B, 0x40};
// GS a 15: automatic status back for drawer, on-line, error and paper
// sensors; padded with NULs to the length of the ink variant.
constexpr uint8_t kEnableStatus[] = {0x1D, 0x61, 0x0F, 0x00, 0x00, 0x00};
// The same plus GS j 255: automatic ink status, for printers of type 3.
constexpr uint8_t kEnableStatusInk[] = {0x1D, 0x61, 0x0F, 0x1D, 0x6A, 0xFF};
// GS j 15: ink status after a change of the current cartridge.
constexpr uint8_t kInkStatus[] = {0x1D, 0x6A, 0x0F};

// Printer command class with ink cartridges.
constexpr int32_t kInkPrinterType = 3;

}  // namespace printer_commands
