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
#include <functional>
#include <string>

#include "tools/vprinter/display/display_command.h"

namespace vprinter {

class DisplayDecoder {
 public:
  using Sink = std::function<void(const DisplayCommand&)>;

  void feed(const std::uint8_t* bytes, std::size_t length, const Sink& sink);
  void feed(const std::string& bytes, const Sink& sink) {
    feed(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), sink);
  }
  // Emits an incomplete command that is left as DisplayOp::Unknown.
  void finish(const Sink& sink);
  std::size_t pending() const { return pending_.size(); }

 private:
  std::string pending_;
};

}  // namespace vprinter
