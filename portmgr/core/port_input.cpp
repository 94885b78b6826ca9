#include "portmgr/core/port_input.h"

#include <algorithm>
#include <chrono>

namespace portmgr {

using Clock = std::chrono::steady_clock;

void CPortInput::Reset(size_t replyCapacity) {
  std::lock_guard<std::mutex> lock(mutex_);
  status_.clear();
  replies_.clear();
  replyCapacity_ = std::max<size_t>(replyCapacity, 1);
  shutdown_ = false;
}

void CPortInput::Push(const FrameOutput& frames) {
  if (frames.Empty()) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    for (const StatusBlock& b : frames.blocks) {
      if (status_.size() == kStatusCapacity) status_.pop_front();
      status_.push_back(b);
    }
    replies_.insert(replies_.end(), frames.replies.begin(), frames.replies.end());
    while (replies_.size() > replyCapacity_) replies_.pop_front();
    if (!frames.replies.empty()) ++pushes_;
  }
  arrived_.notify_all();
}

void CPortInput::Shutdown() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    shutdown_ = true;
  }
  arrived_.notify_all();
}

bool CPortInput::TakeStatus(uint8_t out[4]) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (status_.empty()) return false;
  std::copy(status_.front().begin(), status_.front().end(), out);
  status_.pop_front();
  return true;
}

size_t CPortInput::TakeReplies(uint8_t* buffer, size_t length) {
  const size_t n = std::min(length, replies_.size());
  std::copy_n(replies_.begin(), n, buffer);
  replies_.erase(replies_.begin(), replies_.begin() + static_cast<std::ptrdiff_t>(n));
  return n;
}

int32_t CPortInput::Read(uint8_t* buffer, int32_t length, int32_t waitMs, int32_t gapMs) {
  if (buffer == nullptr || length <= 0) return 0;
  const auto deadline = Clock::now() + std::chrono::milliseconds(std::max(waitMs, 0));
  std::unique_lock<std::mutex> lock(mutex_);
  arrived_.wait_until(lock, deadline, [&] { return shutdown_ || !replies_.empty(); });
  size_t got = TakeReplies(buffer, size_t(length));
  // Gather the rest of a reply that is still arriving.
  while (got > 0 && got < size_t(length) && gapMs > 0 && !shutdown_) {
    const uint64_t seen = pushes_;
    const auto until = std::min(deadline, Clock::now() + std::chrono::milliseconds(gapMs));
    if (!arrived_.wait_until(lock, until, [&] { return shutdown_ || pushes_ != seen; })) break;
    got += TakeReplies(buffer + got, size_t(length) - got);
  }
  return static_cast<int32_t>(got);
}

void CPortInput::ClearReplies() {
  std::lock_guard<std::mutex> lock(mutex_);
  replies_.clear();
}

int32_t CPortInput::ReplyCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int32_t>(replies_.size());
}

size_t CPortInput::StatusCount() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return status_.size();
}

}  // namespace portmgr
