// The customer display's command grammar (the ESC/POS command set of
// 2 x 20 and 4 x 20 VFD customer displays).
#pragma once

#include <cstddef>
#include <cstdint>

#include "tools/vprinter/display/display_command.h"

namespace vprinter {

// Bytes taken by the command at p (0: more bytes are needed). Fills out
// except raw and length. Every byte starts some command, so any input makes
// progress.
std::size_t parseDisplayAt(const std::uint8_t* p, std::size_t n, DisplayCommand& out);

}  // namespace vprinter
