// What "devsetup /export" writes: the package's device entries of the three
// classes with every value as stored, and the port counts setup.inf holds.
#pragma once

#include <string>
#include <vector>

#include "common/device_rules.h"
#include "common/setup_file.h"

class CRegistryAccess;

namespace setup_export {

// The classes in the order a set-up lists them: printers first, since a
// drawer names its printer.
inline constexpr device_rules::DeviceClass kClasses[] = {device_rules::DeviceClass::kPOSPrinter,
                                                         device_rules::DeviceClass::kLineDisplay,
                                                         device_rules::DeviceClass::kCashDrawer};

// An entry of this package: written by its devsetup ("comp" is the
// package's mark) or naming one of its Service Objects as ProgID. Entries
// of other makers' devices under the same class keys are neither exported
// nor removed.
bool IsPackageDevice(const CRegistryAccess& reg, device_rules::DeviceClass deviceClass, const std::string& name);
// The package's device key names of a class, by the class-key scan rule.
std::vector<std::string> PackageDevices(const CRegistryAccess& reg, device_rules::DeviceClass deviceClass);

// The set-up of this registry view and of setup.inf in its "Installdir".
setup_file::SetupFile Export(const CRegistryAccess& reg);

}  // namespace setup_export
