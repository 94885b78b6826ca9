#include "common/setup_export.h"

#include <algorithm>

#include "common/profile.h"
#include "common/registry_access.h"
#include "common/registry_schema.h"
#include "common/setup_data.h"

namespace setup_export {
namespace {

using device_rules::DeviceClass;

constexpr char kPackageProgIdPrefix[] = "Tavo.";
constexpr char kPortSection[] = "Description";

}  // namespace

bool IsPackageDevice(const CRegistryAccess& reg, DeviceClass deviceClass, const std::string& name) {
  const std::string key = device_rules::DeviceKeyPath(deviceClass, name);
  std::string comp, progId;
  reg.ReadString(key, schema::kComp, &comp);
  reg.ReadString(key, schema::kDefault, &progId);
  return comp == schema::kCompValue || progId.compare(0, sizeof kPackageProgIdPrefix - 1, kPackageProgIdPrefix) == 0;
}

std::vector<std::string> PackageDevices(const CRegistryAccess& reg, DeviceClass deviceClass) {
  std::vector<std::string> names;
  for (const std::string& name : reg.ScanClassKey(device_rules::ClassKeyPath(deviceClass))) {
    if (!name.empty() && IsPackageDevice(reg, deviceClass, name)) names.push_back(name);
  }
  return names;
}

setup_file::SetupFile Export(const CRegistryAccess& reg) {
  setup_file::SetupFile file;
  std::string installDir;
  setup_data::ReadInstallDir(reg, &installDir);
  const std::string setupInf = setup_data::DataFilePath(installDir, setup_data::kSetupInf);
  // Only the counts the file holds, so an import leaves missing keys missing;
  // each as the port range dialog shows it, so a damaged count gives a
  // file that imports.
  for (const char* key : setup_file::kPortKeys) {
    if (ReadProfileString(setupInf, kPortSection, key).empty()) continue;
    const setup_data::PortRange range = setup_data::PortKeyRange(key);
    const int32_t count = std::clamp(ReadProfileInt(setupInf, kPortSection, key, 0), range.low, range.high);
    file.ports.push_back(setup_file::PortCount{key, count, 0});
  }
  for (DeviceClass deviceClass : kClasses) {
    for (const std::string& name : PackageDevices(reg, deviceClass)) {
      setup_file::Device device;
      device.deviceClass = deviceClass;
      device.name = name;
      for (RegistryValue& value : reg.ListValues(device_rules::DeviceKeyPath(deviceClass, name))) {
        device.values.push_back(setup_file::Value{std::move(value), 0});
      }
      file.devices.push_back(std::move(device));
    }
  }
  return file;
}

}  // namespace setup_export
