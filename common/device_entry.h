// Creation of device entries from the setup data files: the add-device
// wizard's installation of a printer or line display, and the values of a
// cash drawer entry.
#pragma once

#include <string>
#include <vector>

#include "common/device_rules.h"
#include "common/setup_data.h"

#include "common/registry_access.h"

namespace device_entry {

// The initial values of a new printer or line display, in the wizard's
// order.
std::vector<RegistryValue> InitialValues(device_rules::DeviceClass deviceClass, const std::string& model,
                                         const setup_data::ModelInfo& info, const std::string& version,
                                         const std::string& installDir);
// Writes them. Single write failures are not reported.
void WriteInitialValues(const CRegistryAccess& reg, device_rules::DeviceClass deviceClass,
                        const std::string& deviceName, const std::string& model,
                        const setup_data::ModelInfo& info, const std::string& version,
                        const std::string& installDir);

// The wizard's installation: reads the model's section and "Version"
// (any required text missing: false, nothing written), names the device,
// writes its entry and hands the name back. deviceClass is kPOSPrinter or
// kLineDisplay.
bool InstallDevice(const CRegistryAccess& reg, device_rules::DeviceClass deviceClass,
                   const std::string& installDir, const std::string& model, std::string* deviceName);

// What the cash drawer dialog saves besides the setup data texts.
struct DrawerSettings {
  std::string ldn;
  std::string printer;  // device key name of the connected printer
  int openLevel = 0;    // radio index
  int pinNo = 1;        // radio index
  std::string pulseOnTime = "400";   // as typed
  std::string pulseOffTime = "100";  // as typed
};
// A cash drawer entry, all REG_SZ, in the dialog's order ("Version" twice).
std::vector<RegistryValue> CashDrawerValues(const setup_data::CashDrawerInfo& info, const std::string& version,
                                            const DrawerSettings& settings);
// Writes them. False when a write fails.
bool WriteCashDrawerValues(const CRegistryAccess& reg, const std::string& drawerName,
                           const setup_data::CashDrawerInfo& info, const std::string& version,
                           const DrawerSettings& settings);

}  // namespace device_entry
