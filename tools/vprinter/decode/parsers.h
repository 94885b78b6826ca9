// The command grammar, split from the stream handling in decoder.cpp.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tools/vprinter/decode/command.h"

namespace vprinter {

// Bytes taken by the command at p (0: need more bytes). Fills out except
// raw and length. For Op::Oversize sets skip to the payload still to drop.
std::size_t parseAt(const std::uint8_t* p, std::size_t n, Command& out, std::size_t& skip);

}  // namespace vprinter
