// Reading a printer's device entry, the key named by the device key under
// the POSPrinter class key of HKEY_LOCAL_MACHINE. The port kind follows
// the first three characters of "Port" (case-sensitive): "COM" serial,
// "LPT" parallel, "USB" a USB printer found by its stored device path and
// product id, anything else a network port ("TcpIp", "TcpPort").
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "portmgr/portmgr_api.h"

struct DeviceEntry {
  std::string portName;
  int32_t baudRate = 0;  // the TCP port for network ports
  bool network = false;  // "TcpIp" and "TcpPort" name the port
  int32_t dataBits = 0;
  int32_t stopBits = 0;
  int32_t parity = 0;
  int32_t option[5] = {0, 0, 0, 0, 0};
  int32_t inputBuffer = 0;
  int32_t outputBuffer = 0;
  int32_t printerType = 0;
  std::string deviceDescription;
  std::string deviceName;
  std::string description;
  std::string profilePath;  // "inf"
  bool hasVersion = false;
  int32_t serviceObjectVersion = 0;
  std::string usbProductId, usbVendorId;
};

// What the entry reader asks of the machine it runs on.
struct DeviceEntryEnvironment {
  bool windows95Family = false;
  // The device path of the attached USB printer for a stored path and
  // product id, empty when none matches.
  std::function<std::string(const std::string& storedPath, const std::string& productId)> resolveUsb;
};

// Fills the entry from the registry; values that are missing leave their
// member as preset, except port name and device name, which start empty.
// False when the port name or the device name ends up empty.
bool ReadDeviceEntry(const std::string& deviceKey, const DeviceEntryEnvironment& env, DeviceEntry* entry);
// The same rules for the entry at this full key path (a line display's
// entry has the printer's layout under its own class key).
bool ReadDeviceEntryAt(const std::string& entryKey, const DeviceEntryEnvironment& env, DeviceEntry* entry);

// 1009000 plus the number after the last "." (1009000 without a ".").
int32_t ServiceObjectVersionFrom(const std::string& version);

// The registry keys of a printer's and of a line display's device entry.
std::string PrinterEntryKey(const std::string& deviceKey);
std::string DisplayEntryKey(const std::string& deviceKey);

// The port-manager settings of the entry's port. portName points into the
// entry, which must outlive the result.
PortSettings MakePortSettings(const DeviceEntry& entry);
