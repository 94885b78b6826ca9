#include "tools/vprinter/decode/decoder.h"

#include <algorithm>

#include "tools/vprinter/decode/parsers.h"

namespace vprinter {

std::size_t parseCommand(const std::uint8_t* p, std::size_t n, Command& out, std::size_t& skip) {
  skip = 0;
  if (n == 0) return 0;
  std::size_t used = parseAt(p, n, out, skip);
  if (used == 0) return 0;
  out.length = used + skip;
  out.raw.assign(reinterpret_cast<const char*>(p), std::min(used, kRawKeep));
  return used;
}

}  // namespace vprinter
