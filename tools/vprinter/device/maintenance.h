// The maintenance counters a receipt printer keeps, read with GS g 2 and
// reset with GS g 0. Each kind has a resettable counter and a cumulative
// one that only the printer's own life resets:
//   20 / 148  paper fed, in lines (line feeds and ESC d lines)
//   21 / 149  head energised: lines that carried print
//   50 / 178  auto-cutter operations
//   70 / 198  hours in operation
// Event loop thread only.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

namespace vprinter {

class MaintenanceCounters {
 public:
  using Clock = std::chrono::steady_clock;

  explicit MaintenanceCounters(Clock::time_point start = Clock::now()) : start_(start), hoursReset_(start) {}

  void fed(std::uint64_t lines) { add(kFeed, lines); }
  void headLines(std::uint64_t lines) { add(kHead, lines); }
  void cut() { add(kCutter, 1); }

  // The reply to GS g 2 0 n: "_", the decimal value, NUL; empty for a
  // counter number the printer does not have.
  std::string transmit(int number, Clock::time_point now = Clock::now()) const;
  // GS g 0 0 n: false for a number that is not a resettable counter.
  bool reset(int number, Clock::time_point now = Clock::now());
  // The value, -1 for an unknown number.
  std::int64_t value(int number, Clock::time_point now = Clock::now()) const;

 private:
  enum Kind { kFeed, kHead, kCutter, kKinds };
  void add(Kind k, std::uint64_t n) {
    resettable_[k] += n;
    cumulative_[k] += n;
  }

  Clock::time_point start_, hoursReset_;
  std::uint64_t resettable_[kKinds] = {0, 0, 0};
  std::uint64_t cumulative_[kKinds] = {0, 0, 0};
};

}  // namespace vprinter
