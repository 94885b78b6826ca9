// The port lock: a recursive lock owned by one thread at a time, with a
// timed wait. Like an OS mutex, an Unlock from a thread that does not own
// it is ignored, so a stray Unlock cannot break another thread's hold.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

class CPortLock {
 public:
  // timeoutMs -1 waits without limit; 0 (or another negative value) only
  // tries. True if taken, also when the calling thread already owns it.
  bool Lock(int32_t timeoutMs);
  // Releases one hold of the calling thread; no effect for other threads.
  void Unlock();

 private:
  std::mutex mutex_;
  std::condition_variable released_;
  std::thread::id owner_;  // default id: free
  int depth_ = 0;
};
