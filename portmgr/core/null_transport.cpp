#include "portmgr/core/null_transport.h"

#include <chrono>
#include <thread>

namespace portmgr {

bool CNullTransport::Open(int) { return true; }

void CNullTransport::Close() {}

int32_t CNullTransport::Send(const uint8_t*, int32_t length, int) {
  taken_ += length;
  return length;
}

int32_t CNullTransport::Receive(uint8_t*, int32_t, int waitMs) {
  if (waitMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(waitMs));
  return 0;
}

}  // namespace portmgr
