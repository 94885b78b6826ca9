// The null port: takes every byte at once, never answers, never breaks.
#pragma once

#include <atomic>

#include "portmgr/core/transport.h"

namespace portmgr {

class CNullTransport : public ITransport {
 public:
  bool Open(int timeoutMs) override;
  void Close() override;
  int32_t Send(const uint8_t* data, int32_t length, int timeoutMs) override;
  // Sleeps for the wait and gives 0.
  int32_t Receive(uint8_t* buffer, int32_t length, int waitMs) override;

  int64_t BytesTaken() const { return taken_; }

 private:
  std::atomic<int64_t> taken_{0};
};

}  // namespace portmgr
