// Incremental decoding shared by the printer's and the display's decoders.
// Bytes may arrive split anywhere; a command whose bytes are not all there
// yet waits until the next feed. Parse takes one command at the start of
// its bytes (0: more are needed), fills it with its length and raw bytes,
// and may set `skip` to payload bytes after those it took, which are
// dropped as they arrive, so memory stays bounded. One decoder per
// connection; not thread-safe.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace vprinter {

template <typename CommandT, std::size_t (*Parse)(const std::uint8_t*, std::size_t, CommandT&, std::size_t&),
          std::size_t RawKeep>
class StreamDecoder {
 public:
  using Sink = std::function<void(const CommandT&)>;

  void feed(const std::uint8_t* bytes, std::size_t length, const Sink& sink) {
    const std::size_t dropped = std::min(skip_, length);
    skip_ -= dropped;
    pending_.append(reinterpret_cast<const char*>(bytes) + dropped, length - dropped);
    std::size_t pos = 0;
    while (pos < pending_.size()) {
      CommandT cmd;
      std::size_t skip = 0;
      const std::size_t used =
          Parse(reinterpret_cast<const std::uint8_t*>(pending_.data()) + pos, pending_.size() - pos, cmd, skip);
      if (used == 0) break;
      pos += used;
      const std::size_t drop = std::min(skip, pending_.size() - pos);
      pos += drop;
      skip_ = skip - drop;
      sink(cmd);
    }
    pending_.erase(0, pos);
  }
  void feed(const std::string& bytes, const Sink& sink) {
    feed(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), sink);
  }
  // Emits whatever incomplete command is left as an unknown one named
  // "incomplete" (end of stream).
  void finish(const Sink& sink) {
    if (pending_.empty()) return;
    CommandT cmd;
    cmd.op = decltype(cmd.op)::Unknown;
    cmd.name = "incomplete";
    cmd.length = pending_.size();
    cmd.raw = pending_.substr(0, RawKeep);
    pending_.clear();
    sink(cmd);
  }
  std::size_t pending() const { return pending_.size(); }

 private:
  std::string pending_;
  std::size_t skip_ = 0;  // payload bytes of the last command still to drop
};

}  // namespace vprinter
