#include "service/port/port_lock.h"

#include <chrono>

bool CPortLock::Lock(int32_t timeoutMs) {
  const std::thread::id self = std::this_thread::get_id();
  std::unique_lock<std::mutex> lock(mutex_);
  if (owner_ == self) {
    ++depth_;
    return true;
  }
  const auto isFree = [this] { return owner_ == std::thread::id(); };
  if (timeoutMs == -1) {
    released_.wait(lock, isFree);
  } else {
    const auto limit = std::chrono::milliseconds(timeoutMs < 0 ? 0 : timeoutMs);
    if (!released_.wait_for(lock, limit, isFree)) return false;
  }
  owner_ = self;
  depth_ = 1;
  return true;
}

void CPortLock::Unlock() {
  std::lock_guard<std::mutex> lock(mutex_);
  if (owner_ != std::this_thread::get_id()) return;
  if (--depth_ == 0) {
    owner_ = std::thread::id();
    released_.notify_one();
  }
}
