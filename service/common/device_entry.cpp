#include "service/common/device_entry.h"

#include <algorithm>
#include <cstdint>

#include "common/registry_access.h"
#include "common/registry_schema.h"
#include "service/common/decimal_text.h"

namespace {

constexpr int32_t kVersionBase = 1009000;

// Line options per port kind, in PortSettings order.
constexpr int32_t kSerialOptions[5] = {2, 0, 50, 10, 1000};
constexpr int32_t kParallelOptions95[5] = {1, 0, 32, 0, 500};
constexpr int32_t kParallelOptions[5] = {1, 0, 0, 0, 3000};

class EntryReader {
 public:
  explicit EntryReader(const std::string& entryKey) : key_(entryKey) {}

  bool Text(const char* name, std::string* out) const { return registry_.ReadString(key_, name, out); }
  void TextNumber(const char* name, int32_t* out) const {
    std::string text;
    if (registry_.ReadString(key_, name, &text)) *out = DecimalTextToInt(text);
  }
  void Number(const char* name, int32_t* out) const { registry_.ReadNumber(key_, name, out); }

 private:
  CRegistryAccess registry_;
  std::string key_;
};

void SetOptions(DeviceEntry* e, const int32_t (&options)[5]) {
  for (int i = 0; i < 5; ++i) e->option[i] = options[i];
}

void ReadPort(const EntryReader& r, const DeviceEntryEnvironment& env, DeviceEntry* e) {
  const std::string kind = e->portName.substr(0, 3);
  if (kind == "COM") {
    SetOptions(e, kSerialOptions);
    r.TextNumber(schema::kBaudRate, &e->baudRate);
    r.TextNumber(schema::kBitLength, &e->dataBits);
    r.TextNumber(schema::kParity, &e->parity);
    r.TextNumber(schema::kStop, &e->stopBits);
  } else if (kind == "LPT") {
    SetOptions(e, env.windows95Family ? kParallelOptions95 : kParallelOptions);
  } else if (kind == "USB") {
    r.Text(schema::kUsbDeviceName, &e->portName);
    r.Text(schema::kPid, &e->usbProductId);
    r.Text(schema::kVid, &e->usbVendorId);
    e->portName = env.resolveUsb ? env.resolveUsb(e->portName, e->usbProductId) : std::string();
  } else {
    e->network = true;
    r.Text(schema::kTcpIp, &e->portName);
    r.Number(schema::kTcpPort, &e->baudRate);
  }
}

}  // namespace

std::string PrinterEntryKey(const std::string& deviceKey) {
  return std::string(schema::kPOSPrinterKey) + "\\" + deviceKey;
}

int32_t ServiceObjectVersionFrom(const std::string& version) {
  const size_t dot = version.rfind('.');
  if (dot == std::string::npos) return kVersionBase;
  // A build number near the long's limit saturates instead of wrapping.
  const int64_t version64 = int64_t{kVersionBase} + DecimalTextToInt(version.substr(dot + 1));
  return static_cast<int32_t>(std::min<int64_t>(version64, INT32_MAX));
}

std::string DisplayEntryKey(const std::string& deviceKey) {
  return std::string(schema::kLineDisplayKey) + "\\" + deviceKey;
}

bool ReadDeviceEntry(const std::string& deviceKey, const DeviceEntryEnvironment& env, DeviceEntry* e) {
  return ReadDeviceEntryAt(PrinterEntryKey(deviceKey), env, e);
}

bool ReadDeviceEntryAt(const std::string& entryKey, const DeviceEntryEnvironment& env, DeviceEntry* e) {
  const EntryReader r(entryKey);
  e->portName.clear();
  e->deviceName.clear();
  e->network = false;
  r.Text(schema::kPort, &e->portName);
  ReadPort(r, env, e);
  r.TextNumber(schema::kOutputBuf, &e->outputBuffer);
  r.TextNumber(schema::kInputBuf, &e->inputBuffer);
  r.Number(schema::kType, &e->printerType);
  r.Text(schema::kDeviceDesc, &e->deviceDescription);
  r.Text(schema::kDeviceName, &e->deviceName);
  r.Text(schema::kDescription, &e->description);
  r.Text(schema::kInf, &e->profilePath);
  std::string version;
  e->hasVersion = r.Text(schema::kVersion, &version);
  if (e->hasVersion) e->serviceObjectVersion = ServiceObjectVersionFrom(version);
  return !e->portName.empty() && !e->deviceName.empty();
}

PortSettings MakePortSettings(const DeviceEntry& e) {
  PortSettings s{};
  s.portName = e.portName.c_str();
  s.baudRate = e.baudRate;
  s.dataBits = e.dataBits;
  s.stopBits = e.stopBits;
  s.parity = e.parity;
  for (int i = 0; i < 5; ++i) s.option[i] = e.option[i];
  s.inputBuffer = e.inputBuffer;
  s.outputBuffer = e.outputBuffer;
  return s;
}
