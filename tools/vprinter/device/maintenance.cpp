#include "tools/vprinter/device/maintenance.h"

namespace vprinter {

namespace {
constexpr int kResettable[] = {20, 21, 50};
constexpr int kCumulative[] = {148, 149, 178};
constexpr int kHours = 70, kHoursCumulative = 198;

std::int64_t hoursBetween(MaintenanceCounters::Clock::time_point from, MaintenanceCounters::Clock::time_point to) {
  return std::chrono::duration_cast<std::chrono::hours>(to - from).count();
}
}  // namespace

std::int64_t MaintenanceCounters::value(int number, Clock::time_point now) const {
  for (int k = 0; k < kKinds; ++k) {
    if (number == kResettable[k]) return std::int64_t(resettable_[k]);
    if (number == kCumulative[k]) return std::int64_t(cumulative_[k]);
  }
  if (number == kHours) return hoursBetween(hoursReset_, now);
  if (number == kHoursCumulative) return hoursBetween(start_, now);
  return -1;
}

std::string MaintenanceCounters::transmit(int number, Clock::time_point now) const {
  const std::int64_t v = value(number, now);
  if (v < 0) return "";
  return "_" + std::to_string(v) + std::string(1, '\0');
}

bool MaintenanceCounters::reset(int number, Clock::time_point now) {
  for (int k = 0; k < kKinds; ++k) {
    if (number == kResettable[k]) {
      resettable_[k] = 0;
      return true;
    }
  }
  if (number != kHours) return false;
  hoursReset_ = now;
  return true;
}

}  // namespace vprinter
