#include "common/device_entry.h"

#include "common/registry_access.h"
#include "common/registry_schema.h"

namespace device_entry {
namespace {

using device_rules::DeviceClass;

struct TextValue {
  const char* name;
  std::string text;
};

}  // namespace

void WriteInitialValues(const CRegistryAccess& reg, DeviceClass deviceClass, const std::string& deviceName,
                        const std::string& model, const setup_data::ModelInfo& info,
                        const std::string& version, const std::string& installDir) {
  namespace s = schema;
  namespace init = schema::initial;
  const std::string key = device_rules::DeviceKeyPath(deviceClass, deviceName);
  const char* cls = deviceClass == DeviceClass::kLineDisplay ? s::kClassLineDisplay : s::kClassPOSPrinter;
  const TextValue head[] = {
      {s::kDefault, info.soName},          {s::kDescription, info.description},
      {s::kDeviceName, model},             {s::kDeviceDesc, info.deviceDesc},
      {s::kVersion, version},              {s::kDeviceClass, cls},
      {s::kLDN, ""},                       {s::kPort, init::kPort},
      {s::kBaudRate, init::kBaudRate},     {s::kBitLength, init::kBitLength},
      {s::kHandShake, init::kHandShake},   {s::kInputBuf, init::kInputBuf},
      {s::kOutputBuf, init::kOutputBuf},   {s::kInputSleep, init::kInputSleep},
      {s::kOutInterval, init::kOutInterval}, {s::kParity, init::kParity},
      {s::kStop, init::kStop},             {s::kTimeout, init::kTimeout},
  };
  for (const TextValue& v : head) reg.WriteString(key, v.name, v.text);
  reg.WriteNumber(key, s::kModel, info.modelCode);
  reg.WriteString(key, s::kComp, s::kCompValue);
  reg.WriteString(key, s::kVid, info.vid);
  reg.WriteString(key, s::kPid, info.pid);
  reg.WriteString(key, s::kUsbDeviceName, "");
  reg.WriteNumber(key, s::kUsbCount, init::kUsbCount);
  reg.WriteString(key, s::kTcpIp, init::kTcpIp);
  reg.WriteNumber(key, s::kTcpPort, init::kTcpPort);
  reg.WriteString(key, s::kInf, setup_data::CapabilityProfilePath(installDir, model));
  reg.WriteNumber(key, s::kType, info.type);
  reg.WriteNumber(key, s::kPorttype, info.port);
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

bool WriteCashDrawerValues(const CRegistryAccess& reg, const std::string& drawerName,
                           const setup_data::CashDrawerInfo& info, const std::string& version,
                           const DrawerSettings& settings) {
  namespace s = schema;
  const std::string key = device_rules::DeviceKeyPath(DeviceClass::kCashDrawer, drawerName);
  const TextValue values[] = {
      {s::kDefault, info.soName},
      {s::kDescription, info.description},
      {s::kDeviceName, s::kCashDrawerDeviceName},
      {s::kDeviceDesc, info.deviceDesc},
      {s::kVersion, version},
      {s::kDeviceClass, s::kClassCashDrawer},
      {s::kLDN, settings.ldn},
      {s::kPOSPrinter, settings.printer},
      {s::kOpenLevel, std::to_string(settings.openLevel)},
      {s::kConnectorPinNo, std::to_string(settings.pinNo)},
      {s::kPulseOffTime, settings.pulseOffTime},
      {s::kPulseOnTime, settings.pulseOnTime},
      {s::kVersion, version},
      {s::kComp, s::kCompValue},
  };
  bool ok = true;
  for (const TextValue& v : values) ok = reg.WriteString(key, v.name, v.text) && ok;
  return ok;
}

}  // namespace device_entry
