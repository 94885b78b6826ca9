// The first step of adding a printer or line display: the models listed in
// setup.inf, and "Next", which creates the new device's entry.
#pragma once

#include <string>
#include <vector>

#include "common/device_rules.h"

class CRegistryAccess;
class IMessageBox;

namespace devsetup {

inline constexpr char kSelectModelMessage[] = "Select Device Model!";
inline constexpr char kInfFileError[] = "Error : Inf file information!";

class CSelectModelRules {
 public:
  // deviceClass is kPOSPrinter or kLineDisplay. Reads the installation
  // folder and the class's model list at once.
  CSelectModelRules(const CRegistryAccess& reg, device_rules::DeviceClass deviceClass);

  const std::vector<std::string>& Models() const { return models_; }

  // "Next" with the list selection (-1 for none). True when the entry was
  // created and the dialog ends with OK; NewDeviceName() then names it.
  // Otherwise the message was shown and the dialog stays open.
  bool Next(int selected, IMessageBox& box);
  const std::string& NewDeviceName() const { return newDeviceName_; }

 private:
  const CRegistryAccess& reg_;
  device_rules::DeviceClass deviceClass_;
  std::string installDir_;
  std::vector<std::string> models_;
  std::string newDeviceName_;
};

}  // namespace devsetup
