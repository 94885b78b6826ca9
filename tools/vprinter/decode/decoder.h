// Turns the byte stream a host sends into printer commands.
//
// Incremental: bytes may arrive split anywhere; a command whose bytes are not
// all there yet waits in the decoder until the next feed. Every input makes
// progress: bytes that start no known command come out as Op::Unknown, and a
// command longer than kMaxCommand comes out as Op::Oversize while its payload
// is skipped as it arrives, so memory stays bounded. One decoder per
// connection; not thread-safe (owned by the thread that reads the stream).
#pragma once

#include <cstddef>
#include <cstdint>

#include "tools/vprinter/decode/command.h"
#include "tools/vprinter/decode/stream_decoder.h"

namespace vprinter {

// Parses one command at the start of [p, p+n). Returns the bytes it takes, or
// 0 when more bytes are needed. For Op::Oversize, `skip` is set to the payload
// bytes that follow the returned length. Exposed for tests.
std::size_t parseCommand(const std::uint8_t* p, std::size_t n, Command& out, std::size_t& skip);

class Decoder : public StreamDecoder<Command, parseCommand, kRawKeep> {};

}  // namespace vprinter
