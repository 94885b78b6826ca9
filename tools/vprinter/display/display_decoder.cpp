#include "tools/vprinter/display/display_decoder.h"

#include <algorithm>

#include "tools/vprinter/display/display_parser.h"

namespace vprinter {

void DisplayDecoder::feed(const std::uint8_t* bytes, std::size_t length, const Sink& sink) {
  pending_.append(reinterpret_cast<const char*>(bytes), length);
  std::size_t pos = 0;
  while (pos < pending_.size()) {
    DisplayCommand cmd;
    auto* p = reinterpret_cast<const std::uint8_t*>(pending_.data()) + pos;
    std::size_t used = parseDisplayAt(p, pending_.size() - pos, cmd);
    if (used == 0) break;
    cmd.length = used;
    cmd.raw.assign(reinterpret_cast<const char*>(p), std::min(used, kDisplayRawKeep));
    pos += used;
    sink(cmd);
  }
  pending_.erase(0, pos);
}

void DisplayDecoder::finish(const Sink& sink) {
  if (pending_.empty()) return;
  DisplayCommand cmd;
  cmd.name = "incomplete";
  cmd.length = pending_.size();
  cmd.raw = pending_.substr(0, kDisplayRawKeep);
  pending_.clear();
  sink(cmd);
}

}  // namespace vprinter
