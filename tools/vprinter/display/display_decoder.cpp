#include "tools/vprinter/display/display_decoder.h"

#include <algorithm>

#include "tools/vprinter/display/display_parser.h"

namespace vprinter {

std::size_t parseDisplayCommand(const std::uint8_t* p, std::size_t n, DisplayCommand& out, std::size_t& skip) {
  skip = 0;
  const std::size_t used = parseDisplayAt(p, n, out);
  out.length = used;
  out.raw.assign(reinterpret_cast<const char*>(p), std::min(used, kDisplayRawKeep));
  return used;
}

}  // namespace vprinter
