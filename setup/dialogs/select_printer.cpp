#include "setup/dialogs/select_printer.h"

#include <algorithm>

#include "common/device_rules.h"
#include "common/registry_access.h"
#include "setup/ui/message_box.h"

namespace devsetup {
namespace {
constexpr char kOwnPrefix[] = "TavoPOS";
}

CSelectPrinterRules::CSelectPrinterRules(const CRegistryAccess& reg) {
  const auto cls = device_rules::DeviceClass::kPOSPrinter;
  for (const std::string& name : reg.ScanClassKey(device_rules::ClassKeyPath(cls))) {
    if (name.compare(0, sizeof kOwnPrefix - 1, kOwnPrefix) == 0) printers_.push_back(name);
  }
  std::sort(printers_.begin(), printers_.end());
}

bool CSelectPrinterRules::Start(IMessageBox& box) const {
  if (!printers_.empty()) return true;
  box.Show(kNoPrinterMessage);
  return false;
}

std::string CSelectPrinterRules::Select(int index) const {
  if (index < 0 || index >= static_cast<int>(printers_.size())) return {};
  return printers_[index];
}

}  // namespace devsetup
