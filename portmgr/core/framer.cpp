#include "portmgr/core/framer.h"

namespace portmgr {

namespace {
constexpr uint8_t kInkFirst = 0x35;
constexpr uint8_t kInkLast = 0x00;
constexpr uint8_t kBlockReplyHeader = 0x5F;  // block data replies: 5F, data, 00
constexpr uint8_t kBlockReplyEnd = 0x00;
}  // namespace

// First byte of an automatic status block: bit 4 set, bits 0, 1, 7 clear.
bool CStatusFramer::StartsStatusBlock(uint8_t b) { return (b & 0x93) == 0x10; }

bool CStatusFramer::StartsInkBlock(uint8_t b) { return b == kInkFirst; }

void CStatusFramer::Feed(const uint8_t* data, size_t length, FrameOutput* out) {
  if (data == nullptr) return;
  for (size_t i = 0; i < length; ++i) {
    const uint8_t b = data[i];
    if (inBlockReply_ || (count_ == 0 && b == kBlockReplyHeader)) {
      // The printer sends no status inside block data, whose digits would
      // otherwise pass for status or ink blocks.
      out->replies.push_back(b);
      inBlockReply_ = inBlockReply_ ? b != kBlockReplyEnd : true;
      continue;
    }
    pending_[count_++] = b;
    Resolve(out);
  }
}

void CStatusFramer::Expire(FrameOutput* out) {
  out->replies.insert(out->replies.end(), pending_, pending_ + count_);
  count_ = 0;
  inBlockReply_ = false;
}

// Do the bytes held so far still fit the block their first byte starts?
bool CStatusFramer::PartialFits() const {
  const uint8_t first = pending_[0];
  if (StartsStatusBlock(first)) {
    for (size_t i = 1; i < count_; ++i) {
      if ((pending_[i] & 0x90) != 0) return false;
    }
    return true;
  }
  if (StartsInkBlock(first)) return count_ < 4 || pending_[3] == kInkLast;
  return false;
}

void CStatusFramer::DropFirstAsReply(FrameOutput* out) {
  out->replies.push_back(pending_[0]);
  for (size_t i = 1; i < count_; ++i) pending_[i - 1] = pending_[i];
  --count_;
}

// Until the held bytes are a fitting prefix (or a whole block), the first
// byte cannot start a block: hand it over and look again from the next.
void CStatusFramer::Resolve(FrameOutput* out) {
  while (count_ != 0 && !PartialFits()) DropFirstAsReply(out);
  if (count_ == 4) {
    out->blocks.push_back({pending_[0], pending_[1], pending_[2], pending_[3]});
    count_ = 0;
  }
}

}  // namespace portmgr
