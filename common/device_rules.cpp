#include "common/device_rules.h"

#include "common/registry_access.h"
#include "common/registry_schema.h"

namespace device_rules {
namespace {

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::string Numbered(const std::string& base, int n) { return base + "_" + std::to_string(n); }

// The device name the class key maps ldn to ("" when none).
std::string MappedDevice(const CRegistryAccess& reg, DeviceClass deviceClass, const std::string& ldn) {
  std::string mapped;
  reg.ReadString(ClassKeyPath(deviceClass), ldn, &mapped);
  return mapped;
}

// Deletes the class-key value of ldn, but only while it maps to deviceName.
void DropMapping(const CRegistryAccess& reg, DeviceClass deviceClass, const std::string& deviceName,
                 const std::string& ldn) {
  if (ldn.empty()) return;
  if (SameName(MappedDevice(reg, deviceClass, ldn), deviceName)) {
    reg.Delete(ClassKeyPath(deviceClass), ldn.c_str());
  }
}

}  // namespace

std::string ClassKeyPath(DeviceClass deviceClass) {
  switch (deviceClass) {
    case DeviceClass::kPOSPrinter: return schema::kPOSPrinterKey;
    case DeviceClass::kLineDisplay: return schema::kLineDisplayKey;
    case DeviceClass::kCashDrawer: break;
  }
  return schema::kCashDrawerKey;
}

std::string DeviceKeyPath(DeviceClass deviceClass, const std::string& deviceName) {
  return ClassKeyPath(deviceClass) + "\\" + deviceName;
}

PortKind PortKindOf(const std::string& port) {
  const std::string head = port.substr(0, 3);
  if (head == "COM") return PortKind::kSerial;
  if (head == "LPT") return PortKind::kParallel;
  if (head == "USB") return PortKind::kUsb;
  return PortKind::kEthernet;
}

int CountDevicesOfModel(const CRegistryAccess& reg, DeviceClass deviceClass, int32_t modelCode) {
  int count = 0;
  for (const std::string& name : reg.ListSubKeys(ClassKeyPath(deviceClass))) {
    int32_t model = 0;
    reg.ReadNumber(DeviceKeyPath(deviceClass, name), schema::kModel, &model);
    if (model == modelCode) ++count;
  }
  return count;
}

std::string NameNewDevice(const CRegistryAccess& reg, DeviceClass deviceClass, const std::string& model,
                          int32_t modelCode) {
  int n = CountDevicesOfModel(reg, deviceClass, modelCode);
  std::string name = n == 0 ? model : Numbered(model, n);
  while (reg.KeyExists(DeviceKeyPath(deviceClass, name))) name = Numbered(model, ++n);
  return name;
}

std::string NameNewCashDrawer(const CRegistryAccess& reg) {
  std::string name = schema::kCashDrawerDeviceName;
  for (int n = 1; reg.KeyExists(DeviceKeyPath(DeviceClass::kCashDrawer, name)); ++n) {
    name = Numbered(schema::kCashDrawerDeviceName, n);
  }
  return name;
}

std::string LdnRefusal(const std::string& ldn) { return "Device will not be set to" + ldn; }

bool LdnAllowed(const CRegistryAccess& reg, DeviceClass deviceClass, const std::string& deviceName,
                const std::string& ldn) {
  if (ldn.empty()) return true;
  const std::string mapped = MappedDevice(reg, deviceClass, ldn);
  const bool mapsHere = SameName(mapped, deviceName);
  for (const std::string& key : reg.ScanClassKey(ClassKeyPath(deviceClass))) {
    if (SameName(key, ldn) && !mapsHere) return false;
  }
  // One LDN serves one device: a mapping to another device that still
  // exists is not taken over.
  if (!mapped.empty() && !mapsHere && reg.KeyExists(DeviceKeyPath(deviceClass, mapped))) return false;
  return true;
}

bool MapLdn(const CRegistryAccess& reg, DeviceClass deviceClass, const std::string& deviceName,
            const std::string& oldLdn, const std::string& newLdn) {
  if (oldLdn != newLdn) DropMapping(reg, deviceClass, deviceName, oldLdn);
  if (newLdn.empty()) return true;
  return reg.WriteString(ClassKeyPath(deviceClass), newLdn, deviceName);
}

bool SaveLdn(const CRegistryAccess& reg, DeviceClass deviceClass, const std::string& deviceName,
             const std::string& oldLdn, const std::string& newLdn) {
  const bool ok = MapLdn(reg, deviceClass, deviceName, oldLdn, newLdn);
  return reg.WriteString(DeviceKeyPath(deviceClass, deviceName), schema::kLDN, newLdn) && ok;
}

bool RemoveDevice(const CRegistryAccess& reg, DeviceClass deviceClass, const std::string& deviceName) {
  if (deviceName.empty()) return false;
  std::string ldn;
  reg.ReadString(DeviceKeyPath(deviceClass, deviceName), schema::kLDN, &ldn);
  DropMapping(reg, deviceClass, deviceName, ldn);
  return reg.Delete(DeviceKeyPath(deviceClass, deviceName), nullptr);
}

}  // namespace device_rules
