// The port range dialog's rules: how many serial and parallel ports the
// package offers, kept in setup.inf. The serial count is "COMRange". The
// parallel count is "LPTRange", which the port settings dialog reads too;
// saving also writes it as "LPTMRange", so a reader of that older key
// lists the same ports.
#pragma once

#include <cstdint>
#include <string>

#include "common/setup_data.h"

class CRegistryAccess;
class IMessageBox;

namespace devsetup {

using setup_data::kParallelRange;
using setup_data::kSerialRange;
using setup_data::PortRange;

class CPortRangeRules {
 public:
  // Forms the path of setup.inf from "Installdir" (a bare "\setup.inf"
  // when it can't be read) and reads both counts.
  explicit CPortRangeRules(const CRegistryAccess& reg);

  int32_t Serial() const { return serial_; }
  int32_t Parallel() const { return parallel_; }
  // What "Default" shows: 4 serial ports, 1 parallel port.
  void Defaults();
  // "SAVE": both texts must be decimal numbers within their ranges, the
  // serial one checked first; the first that fails is reported and nothing
  // is written. Otherwise both are written and true comes back.
  bool Save(const std::string& serialText, const std::string& parallelText, IMessageBox& box);

  // The message for a count outside its range.
  static std::string RangeMessage(PortRange range);

 private:
  std::string installDir_;
  int32_t serial_ = 4;
  int32_t parallel_ = 2;
};

// A count as typed: decimal digits only, surrounding blanks allowed;
// false for anything else or a number beyond the range.
bool ParseCount(const std::string& text, PortRange range, int32_t* count);

}  // namespace devsetup
