#include "common/device_entry.h"

#include "common/registry_access.h"
#include "common/registry_schema.h"

namespace device_entry {
namespace {

using device_rules::DeviceClass;

}  // namespace

std::vector<RegistryValue> InitialValues(DeviceClass deviceClass, const std::string& model,
                                         const setup_data::ModelInfo& info, const std::string& version,
                                         const std::string& installDir) {
  namespace s = schema;
  namespace init = schema::initial;
  const char* cls = deviceClass == DeviceClass::kLineDisplay ? s::kClassLineDisplay : s::kClassPOSPrinter;
  return {
      TextValue(s::kDefault, info.soName),          TextValue(s::kDescription, info.description),
      TextValue(s::kDeviceName, model),             TextValue(s::kDeviceDesc, info.deviceDesc),
      TextValue(s::kVersion, version),              TextValue(s::kDeviceClass, cls),
      TextValue(s::kLDN, ""),                       TextValue(s::kPort, init::kPort),
      TextValue(s::kBaudRate, init::kBaudRate),     TextValue(s::kBitLength, init::kBitLength),
      TextValue(s::kHandShake, init::kHandShake),   TextValue(s::kInputBuf, init::kInputBuf),
      TextValue(s::kOutputBuf, init::kOutputBuf),   TextValue(s::kInputSleep, init::kInputSleep),
      TextValue(s::kOutInterval, init::kOutInterval), TextValue(s::kParity, init::kParity),
      TextValue(s::kStop, init::kStop),             TextValue(s::kTimeout, init::kTimeout),
      NumberValue(s::kModel, info.modelCode),       TextValue(s::kComp, s::kCompValue),
      TextValue(s::kVid, info.vid),                 TextValue(s::kPid, info.pid),
      TextValue(s::kUsbDeviceName, ""),             NumberValue(s::kUsbCount, init::kUsbCount),
      TextValue(s::kTcpIp, init::kTcpIp),           NumberValue(s::kTcpPort, init::kTcpPort),
      TextValue(s::kInf, setup_data::CapabilityProfilePath(installDir, model)),
      NumberValue(s::kType, info.type),             NumberValue(s::kPorttype, info.port),
  };
}

void WriteInitialValues(const CRegistryAccess& reg, DeviceClass deviceClass, const std::string& deviceName,
                        const std::string& model, const setup_data::ModelInfo& info,
                        const std::string& version, const std::string& installDir) {
  const std::string key = device_rules::DeviceKeyPath(deviceClass, deviceName);
  for (const RegistryValue& v : InitialValues(deviceClass, model, info, version, installDir)) reg.WriteValue(key, v);
}

bool InstallDevice(const CRegistryAccess& reg, DeviceClass deviceClass, const std::string& installDir,
                   const std::string& model, std::string* deviceName) {
  const auto modelClass = deviceClass == DeviceClass::kLineDisplay ? setup_data::ModelClass::kLineDisplay
                                                                    : setup_data::ModelClass::kPrinter;
  setup_data::ModelInfo info;
  std::string version;
  if (!setup_data::ReadModelInfo(installDir, modelClass, model, &info)) return false;
  if (!setup_data::ReadVersion(installDir, &version)) return false;
  const std::string name = device_rules::NameNewDevice(reg, deviceClass, model, info.modelCode);
  WriteInitialValues(reg, deviceClass, name, model, info, version, installDir);
  *deviceName = name;
  return true;
}

std::vector<RegistryValue> CashDrawerValues(const setup_data::CashDrawerInfo& info, const std::string& version,
                                            const DrawerSettings& settings) {
  namespace s = schema;
  return {
      TextValue(s::kDefault, info.soName),
      TextValue(s::kDescription, info.description),
      TextValue(s::kDeviceName, s::kCashDrawerDeviceName),
      TextValue(s::kDeviceDesc, info.deviceDesc),
      TextValue(s::kVersion, version),
      TextValue(s::kDeviceClass, s::kClassCashDrawer),
      TextValue(s::kLDN, settings.ldn),
      TextValue(s::kPOSPrinter, settings.printer),
      TextValue(s::kOpenLevel, std::to_string(settings.openLevel)),
      TextValue(s::kConnectorPinNo, std::to_string(settings.pinNo)),
      TextValue(s::kPulseOffTime, settings.pulseOffTime),
      TextValue(s::kPulseOnTime, settings.pulseOnTime),
      TextValue(s::kVersion, version),
      TextValue(s::kComp, s::kCompValue),
  };
}

bool WriteCashDrawerValues(const CRegistryAccess& reg, const std::string& drawerName,
                           const setup_data::CashDrawerInfo& info, const std::string& version,
                           const DrawerSettings& settings) {
  const std::string key = device_rules::DeviceKeyPath(DeviceClass::kCashDrawer, drawerName);
  bool ok = true;
  for (const RegistryValue& v : CashDrawerValues(info, version, settings)) ok = reg.WriteValue(key, v) && ok;
  return ok;
}

}  // namespace device_entry
