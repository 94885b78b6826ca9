// Command bytes the drawer sends through its printer's port.
#pragma once

#include <cstdint>

namespace drawer_commands {

// GS a 15: automatic status back for drawer, on-line, error and paper.
inline constexpr uint8_t kStatusBack[] = {0x1D, 0x61, 0x0F};
// ESC p m t1 t2: pulse on connector m, on for t1 x 2 ms, off for t2 x 2 ms.
inline constexpr uint8_t kKickPrefix[] = {0x1B, 0x70};
// Pause between the kick and the renewed status request.
inline constexpr uint32_t kKickSettleMs = 100;

}  // namespace drawer_commands
