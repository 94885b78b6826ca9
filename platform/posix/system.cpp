#include "platform/system.h"

#include <chrono>
#include <thread>

namespace platform {

uint32_t TickCount() {
  using namespace std::chrono;
  const auto ms = duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
  return static_cast<uint32_t>(ms);
}

void SleepMs(uint32_t milliseconds) { std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds)); }

void Beep(uint32_t, uint32_t durationMs) { SleepMs(durationMs); }

bool IsWindows95Family() { return false; }

std::string CommonDataFolder() { return std::string(); }

}  // namespace platform
