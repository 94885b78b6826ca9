// Status properties that the port's monitor thread and the output thread
// write while the Control Object's thread reads them. Each value is read
// and written whole, so atomics suffice.
#pragma once

#include <atomic>
#include <cstdint>

#include "common/opos.h"

struct PrinterStatus {
  std::atomic<int32_t> powerState{opos::OPOS_PS_UNKNOWN};
  std::atomic<int32_t> coverOpen{0};
  std::atomic<int32_t> recEmpty{0};
  std::atomic<int32_t> recNearEnd{0};
  std::atomic<int32_t> recCartridgeState{opos::PTR_CART_OK};
  std::atomic<int32_t> cartridgeState[2] = {{0}, {0}};  // per colour, 0 = OK
  std::atomic<int32_t> errorLevel{1};                   // PTR_EL_NONE
  std::atomic<int32_t> errorStation{0};
  std::atomic<int32_t> outputId{0};
  std::atomic<int32_t> flagWhenIdle{0};

  // Last reported StatusUpdate values; -1 = nothing reported yet.
  std::atomic<int32_t> lastCoverStatus{-1};
  std::atomic<int32_t> lastPaperStatus{-1};
  std::atomic<int32_t> lastCartridgeStatus{-1};
  std::atomic<int32_t> lastPowerStatus{-1};
};
