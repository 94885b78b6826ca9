// Splits the byte stream coming back from a printer into 4-byte status
// blocks (automatic status and ink status) and plain reply bytes. The rules
// are in portmgr/portmgr.h. Streaming: a block may arrive split over any
// number of Feed calls. Not thread-safe; the port's reader thread owns it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace portmgr {

using StatusBlock = std::array<uint8_t, 4>;

// What one Feed or Expire produced, in arrival order within each list.
struct FrameOutput {
  std::vector<StatusBlock> blocks;
  std::vector<uint8_t> replies;

  bool Empty() const { return blocks.empty() && replies.empty(); }
  void Reset() {
    blocks.clear();
    replies.clear();
  }
};

class CStatusFramer {
 public:
  // Appends what the bytes complete to *out (out is not cleared).
  void Feed(const uint8_t* data, size_t length, FrameOutput* out);
  // The line went quiet: a partial block is not coming, its bytes are
  // replies.
  void Expire(FrameOutput* out);
  bool HasPartial() const { return count_ != 0 || inBlockReply_; }
  void Reset() {
    count_ = 0;
    inBlockReply_ = false;
  }

  static bool StartsStatusBlock(uint8_t b);
  static bool StartsInkBlock(uint8_t b);

 private:
  void Resolve(FrameOutput* out);
  bool PartialFits() const;
  void DropFirstAsReply(FrameOutput* out);

  uint8_t pending_[4] = {0, 0, 0, 0};
  size_t count_ = 0;
  bool inBlockReply_ = false;  // between a block reply's header and its NUL
};

}  // namespace portmgr
