// Rules over the device entries that devsetup and the Service Objects
// share: the port kind, device key naming and the logical device name
// (LDN) mapping. Each call reads the registry at that moment.
#pragma once

#include <cstdint>
#include <string>

class CRegistryAccess;

namespace device_rules {

enum class DeviceClass { kPOSPrinter, kLineDisplay, kCashDrawer };

// "Software\OLEforRetail\ServiceOPOS\<class>" and that plus "\<name>".
std::string ClassKeyPath(DeviceClass deviceClass);
std::string DeviceKeyPath(DeviceClass deviceClass, const std::string& deviceName);

// The port kind by the first three characters of "Port", case-sensitive:
// "COM" serial, "LPT" parallel, "USB" USB, anything else Ethernet.
enum class PortKind { kSerial, kParallel, kUsb, kEthernet };
PortKind PortKindOf(const std::string& port);

// Devices of the class whose "Model" number equals modelCode; every subkey
// counts, a missing or non-number "Model" as 0.
int CountDevicesOfModel(const CRegistryAccess& reg, DeviceClass deviceClass, int32_t modelCode);
// Name for a new printer or line display: the model name when no device of
// that model code exists, else the model name with "_%d" of the count.
// When that key already exists (an earlier device was removed), the number
// goes up until the name is free, so no entry is ever written over.
std::string NameNewDevice(const CRegistryAccess& reg, DeviceClass deviceClass, const std::string& model,
                          int32_t modelCode);
// Name for a new cash drawer: "CashDrawer", else "CashDrawer_%d" with the
// smallest number from 1 that names no existing drawer.
std::string NameNewCashDrawer(const CRegistryAccess& reg);

// The message of a refused LDN: "Device will not be set to" and the LDN.
std::string LdnRefusal(const std::string& ldn);
// The LDN check before a settings dialog saves deviceName with ldn. An
// empty LDN passes. Refused: an LDN naming another device key of the class
// (scanned by the class-key rule) unless the class key already maps it to
// this device, and an LDN the class key maps to another existing device.
// Names compare without case, as the registry compares them.
bool LdnAllowed(const CRegistryAccess& reg, DeviceClass deviceClass, const std::string& deviceName,
                const std::string& ldn);
// The class-key half of saving an LDN: removes the value of the old LDN
// when it changed (only while it still maps to this device) and writes the
// value of a non-empty new LDN. False when that write fails.
bool MapLdn(const CRegistryAccess& reg, DeviceClass deviceClass, const std::string& deviceName,
            const std::string& oldLdn, const std::string& newLdn);
// Saves a device's LDN: removes the class-key value of the old LDN when it
// changed (only while it still maps to this device), writes the class-key
// value of a non-empty new LDN, then the device's "LDN". False when a
// write fails.
bool SaveLdn(const CRegistryAccess& reg, DeviceClass deviceClass, const std::string& deviceName,
             const std::string& oldLdn, const std::string& newLdn);
// Removes a device: its LDN mapping (while it maps to this device), then
// the device key with everything below it.
bool RemoveDevice(const CRegistryAccess& reg, DeviceClass deviceClass, const std::string& deviceName);

}  // namespace device_rules
