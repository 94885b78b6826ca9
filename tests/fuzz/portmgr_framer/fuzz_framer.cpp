// Feeds arbitrary bytes to the status framer in arbitrary chunks and checks
// that every byte comes out exactly once, in order, and that every block
// fits the framing rules. The first input byte seeds the chunk sizes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "portmgr/core/framer.h"

using portmgr::CStatusFramer;
using portmgr::FrameOutput;

namespace {

void Check(bool ok) {
  if (!ok) std::abort();
}

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
  Check(!f.HasPartial());
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t seed = data[0];
  ++data;
  --size;
  const FrameOutput chunked = Run(data, size, seed);
  const FrameOutput whole = Run(data, size, 0);
  Check(chunked.blocks == whole.blocks && chunked.replies == whole.replies);
  Check(chunked.blocks.size() * 4 + chunked.replies.size() == size);
  for (const auto& b : chunked.blocks) Check(BlockFits(b));
  // Same bytes out as in.
  size_t counts[256] = {};
  for (size_t i = 0; i < size; ++i) ++counts[data[i]];
  for (const auto& b : chunked.blocks) {
    for (uint8_t v : b) Check(counts[v]-- > 0);
  }
  for (uint8_t v : chunked.replies) Check(counts[v]-- > 0);
  return 0;
}
