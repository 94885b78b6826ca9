// Device entry checks: whatever values (of whatever type and size) the
// registry holds under a printer's entry, reading it ends, fails exactly
// when the port or device name is missing, and gives port settings that
// point into the entry.
#include <algorithm>
#include <string>
#include <vector>

#include "common/registry_schema.h"
#include "platform/registry.h"
#include "platform/registry_test_support.h"
#include "service/common/device_entry.h"
#include "tests/fuzz/fuzz_drivers.h"

namespace {

const char* const kNames[] = {
    schema::kPort,      schema::kBaudRate,   schema::kBitLength,   schema::kParity,      schema::kStop,
    schema::kUsbDeviceName, schema::kPid,    schema::kVid,         schema::kTcpIp,       schema::kTcpPort,
    schema::kOutputBuf, schema::kInputBuf,   schema::kType,        schema::kDeviceDesc,  schema::kDeviceName,
    schema::kDescription, schema::kInf,      schema::kVersion,
};
constexpr size_t kNameCount = sizeof kNames / sizeof kNames[0];
const uint32_t kTypes[] = {platform::kRegSz, platform::kRegDword, platform::kRegBinary, platform::kRegExpandSz,
                           platform::kRegMultiSz, platform::kRegNone, platform::kRegDwordBigEndian, 11};
// Port names that pick each kind of port, used when the data is one byte.
const char* const kPorts[] = {"COM1", "LPT1", "USB", "TcpIp", "COM", "com1", ""};

}  // namespace

std::string RunDeviceEntryInput(const uint8_t* data, size_t size) {
  platform::test_support::ResetRegistry();
  const std::string deviceKey = "FuzzPrinter";
  const std::string key = PrinterEntryKey(deviceKey);
  for (size_t at = 0; at + 3 <= size;) {
    const char* name = kNames[data[at] % kNameCount];
    const uint32_t type = kTypes[data[at + 1] % (sizeof kTypes / sizeof kTypes[0])];
    const size_t length = std::min<size_t>(data[at + 2], size - at - 3);
    std::vector<uint8_t> value(data + at + 3, data + at + 3 + length);
    if (type == platform::kRegSz && length == 1) {
      const char* port = kPorts[value[0] % (sizeof kPorts / sizeof kPorts[0])];
      value.assign(port, port + std::char_traits<char>::length(port) + 1);
    }
    platform::test_support::SeedValue(key, name, type, value);
    at += 3 + length;
  }
  DeviceEntryEnvironment env;
  env.windows95Family = size > 0 && (data[0] & 0x80) != 0;
  env.resolveUsb = [](const std::string& stored, const std::string& pid) { return stored + "#" + pid; };
  DeviceEntry entry;
  const bool read = ReadDeviceEntry(deviceKey, env, &entry);
  if (read != (!entry.portName.empty() && !entry.deviceName.empty())) return "result disagrees with the names";
  if (entry.portName.find('\0') != std::string::npos || entry.deviceName.find('\0') != std::string::npos)
    return "a name holds a NUL";
  if (read) {
    const PortSettings settings = MakePortSettings(entry);
    if (settings.portName != entry.portName.c_str()) return "port settings do not name the entry's port";
  }
  ServiceObjectVersionFrom(entry.hasVersion ? entry.deviceName : "1.9.x");
  return "";
}
