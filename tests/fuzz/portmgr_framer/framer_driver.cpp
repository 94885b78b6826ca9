// The port-manager framer's fuzz checks: arbitrary bytes fed in arbitrary
// chunks come out the same as fed at once, every byte exactly once, and
// every block fits the framing rules. The first input byte seeds the chunks.
#include <cstddef>
#include <cstdint>

#include "portmgr/core/framer.h"
#include "tests/fuzz/fuzz_drivers.h"

using portmgr::CStatusFramer;
using portmgr::FrameOutput;

namespace {

bool BlockFits(const portmgr::StatusBlock& b) {
  if (b[0] == 0x35) return b[3] == 0;
  if (!CStatusFramer::StartsStatusBlock(b[0])) return false;
  for (int i = 1; i < 4; ++i) {
    if ((b[i] & 0x90) != 0) return false;
  }
  return true;
}

FrameOutput Run(const uint8_t* data, size_t size, uint8_t seed) {
  CStatusFramer f;
  FrameOutput out;
  size_t at = 0;
  unsigned step = seed;
  while (at < size) {
    step = step * 1103515245u + 12345u;
    const size_t n = seed == 0 ? size : 1 + (step >> 16) % 7;
    const size_t take = n < size - at ? n : size - at;
    f.Feed(data + at, take, &out);
    at += take;
  }
  f.Expire(&out);
  return out;
}

}  // namespace

std::string RunPortmgrFramerInput(const uint8_t* data, size_t size) {
  if (size == 0) return "";
  const uint8_t seed = data[0];
  ++data;
  --size;
  const FrameOutput chunked = Run(data, size, seed);
  const FrameOutput whole = Run(data, size, 0);
  if (chunked.blocks != whole.blocks || chunked.replies != whole.replies) return "chunking changed the result";
  if (chunked.blocks.size() * 4 + chunked.replies.size() != size) return "byte count changed";
  for (const auto& b : chunked.blocks) {
    if (!BlockFits(b)) return "block breaks the framing rules";
  }
  size_t counts[256] = {};
  for (size_t i = 0; i < size; ++i) ++counts[data[i]];
  for (const auto& b : chunked.blocks) {
    for (uint8_t v : b) {
      if (counts[v]-- == 0) return "byte appeared from nowhere";
    }
  }
  for (uint8_t v : chunked.replies) {
    if (counts[v]-- == 0) return "byte appeared from nowhere";
  }
  return "";
}
