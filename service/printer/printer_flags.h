// The printer settings that the output thread and the port's monitor thread
// read while the Control Object's thread changes them. Each is read and
// written whole, so atomics suffice.
#pragma once

#include <atomic>
#include <cstdint>

struct PrinterFlags {
  std::atomic<int32_t> claimed{0};
  std::atomic<int32_t> deviceEnabled{0};
  std::atomic<int32_t> asyncMode{0};
  std::atomic<int32_t> powerNotify{0};
  std::atomic<int32_t> capPowerReporting{0};
  std::atomic<int32_t> cartridgeNotify{0};
  std::atomic<int32_t> recCurrentCartridge{1};  // primary colour
};
