// Turns the bytes a host sends the customer display into commands.
//
// Incremental like the printer's decoder: bytes may arrive split anywhere,
// an incomplete command waits for the next feed, every byte starts some
// command (unknown ones come out as DisplayOp::Unknown) and the longest
// command is a few hundred bytes, so memory stays bounded. One decoder per
// connection; not thread-safe.
#pragma once

#include <cstddef>
#include <cstdint>

#include "tools/vprinter/decode/stream_decoder.h"
#include "tools/vprinter/display/display_command.h"

namespace vprinter {

// One command at p as the decoder takes it (0: more bytes are needed);
// display commands have no payload to skip.
std::size_t parseDisplayCommand(const std::uint8_t* p, std::size_t n, DisplayCommand& out, std::size_t& skip);

class DisplayDecoder : public StreamDecoder<DisplayCommand, parseDisplayCommand, kDisplayRawKeep> {};

}  // namespace vprinter
