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

void Decoder::feed(const std::uint8_t* bytes, std::size_t length, const Sink& sink) {
  if (skip_ > 0) {
    std::size_t drop = std::min(skip_, length);
    skip_ -= drop;
    bytes += drop;
    length -= drop;
  }
  pending_.append(reinterpret_cast<const char*>(bytes), length);
  std::size_t pos = 0;
  while (pos < pending_.size()) {
    Command cmd;
    std::size_t skip = 0;
    auto* p = reinterpret_cast<const std::uint8_t*>(pending_.data()) + pos;
    std::size_t used = parseCommand(p, pending_.size() - pos, cmd, skip);
    if (used == 0) break;
    pos += used;
    if (skip > 0) {
      std::size_t drop = std::min(skip, pending_.size() - pos);
      pos += drop;
      skip_ = skip - drop;
    }
    sink(cmd);
  }
  pending_.erase(0, pos);
}

void Decoder::finish(const Sink& sink) {
  if (pending_.empty()) return;
  Command cmd;
  cmd.op = Op::Unknown;
  cmd.name = "incomplete";
  cmd.length = pending_.size();
  cmd.raw = pending_.substr(0, kRawKeep);
  pending_.clear();
  sink(cmd);
}

}  // namespace vprinter
