#include "setup/main/port_range.h"

#include <algorithm>

#include "common/registry_access.h"
#include "common/setup_data.h"
#include "setup/ui/message_box.h"

namespace devsetup {
namespace {

// Shown counts stay inside what the controls can display.
int32_t Within(int32_t value, PortRange range) { return std::clamp(value, range.low, range.high); }

}  // namespace

bool ParseCount(const std::string& text, PortRange range, int32_t* count) {
  const size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return false;
  const size_t last = text.find_last_not_of(' ');
  int64_t value = 0;
  for (size_t i = first; i <= last; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    value = value * 10 + (text[i] - '0');
    if (value > range.high) return false;
  }
  if (value < range.low) return false;
  *count = static_cast<int32_t>(value);
  return true;
}

CPortRangeRules::CPortRangeRules(const CRegistryAccess& reg) {
  setup_data::ReadInstallDir(reg, &installDir_);
  serial_ = Within(setup_data::ReadComRange(installDir_), kSerialRange);
  parallel_ = Within(setup_data::ReadLptRange(installDir_), kParallelRange);
}

void CPortRangeRules::Defaults() {
  serial_ = 4;
  parallel_ = 1;
}

std::string CPortRangeRules::RangeMessage(PortRange range) {
  return "Please enter a number between " + std::to_string(range.low) + " and " + std::to_string(range.high) + ".";
}

bool CPortRangeRules::Save(const std::string& serialText, const std::string& parallelText, IMessageBox& box) {
  int32_t serial = 0, parallel = 0;
  if (!ParseCount(serialText, kSerialRange, &serial)) {
    box.Show(RangeMessage(kSerialRange));
    return false;
  }
  if (!ParseCount(parallelText, kParallelRange, &parallel)) {
    box.Show(RangeMessage(kParallelRange));
    return false;
  }
  serial_ = serial;
  parallel_ = parallel;
  setup_data::WriteComRange(installDir_, serial);
  setup_data::WriteLptRange(installDir_, parallel);
  setup_data::WriteLptmRange(installDir_, parallel);
  return true;
}

}  // namespace devsetup
