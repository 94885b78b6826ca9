// What a port received and nobody has taken yet: status blocks (for
// GetASBState) and reply bytes (for Read). Filled by the reader thread,
// drained by callers on any thread; all members lock internally.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <mutex>

#include "portmgr/core/framer.h"

namespace portmgr {

class CPortInput {
 public:
  static constexpr size_t kStatusCapacity = 1024;

  // Starts empty and accepting, keeping at most replyCapacity reply bytes.
  void Reset(size_t replyCapacity);
  // Reader thread: queues what the framer produced and wakes Read.
  void Push(const FrameOutput& frames);
  // Ends every waiting Read (the port is closing); Reset re-arms.
  void Shutdown();

  // Oldest status block into out; false when none is queued.
  bool TakeStatus(uint8_t out[4]);
  // Waits up to waitMs for the first reply byte, then gathers more until
  // length bytes, a quiet gap of gapMs (0: no gathering), the wait limit or
  // Shutdown. Gives the count copied into buffer.
  int32_t Read(uint8_t* buffer, int32_t length, int32_t waitMs, int32_t gapMs);
  void ClearReplies();
  int32_t ReplyCount() const;
  size_t StatusCount() const;

 private:
  size_t TakeReplies(uint8_t* buffer, size_t length);

  mutable std::mutex mutex_;
  std::condition_variable arrived_;
  std::deque<StatusBlock> status_;
  std::deque<uint8_t> replies_;
  size_t replyCapacity_ = 4096;
  bool shutdown_ = false;
  uint64_t pushes_ = 0;  // counts Push calls that brought reply bytes
};

}  // namespace portmgr
