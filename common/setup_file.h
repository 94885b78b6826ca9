// The device set-up file: the package's device entries and the port counts
// of setup.inf as UTF-8 text that a technician can read and edit, written
// by "devsetup /export" and read by "devsetup /import".
//
//   ; comment lines begin with ';' or '#'
//   [DeviceSetup]
//   Format=1
//   [Ports]
//   COMRange=4
//   LPTRange=2
//   [POSPrinter\TavoPOS-R200]
//   @=sz:Tavo.POSPrinter.ServiceObject.1.9      (the key's default value)
//   Port=sz:COM1
//   Model=dword:1
//   Blob=hex(3):0a,ff                           (any other type by number)
//   [CashDrawer\CashDrawer]
//   ...
//   [End]
//
// The first section is [DeviceSetup] with Format; a reader takes every
// format up to its own and refuses later ones. Device sections are named
// by class (POSPrinter, LineDisplay, CashDrawer), a backslash and the
// device key name. Types: sz, expand_sz (text), dword (unsigned decimal),
// hex(N) (bytes of registry type N). Names and texts are taken as written,
// blanks around them dropped; the control characters, '%', and blanks at
// either end are written %XX (hexadecimal), as are '=' in value names,
// ']' in device names and a value named "@". [End] closes the file, so a
// cut-off copy is refused rather than read as a shorter set-up.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "common/device_rules.h"
#include "common/registry_access.h"

namespace setup_file {

inline constexpr int kFormat = 1;
// Bounds that keep a damaged or hostile file from taking the machine.
inline constexpr size_t kMaxFileBytes = 4 * 1024 * 1024;
inline constexpr size_t kMaxDevices = 1000;
inline constexpr size_t kMaxValuesPerDevice = 256;

// setup.inf keys the file may carry, in section "Description".
inline constexpr const char* kPortKeys[] = {"COMRange", "LPTRange", "LPTMRange"};

struct PortCount {
  std::string key;  // one of kPortKeys, spelt as there
  int32_t count = 0;
  int line = 0;
};

struct Value {
  RegistryValue value;  // name and text in the code page, as stored
  int line = 0;
};

struct Device {
  device_rules::DeviceClass deviceClass = device_rules::DeviceClass::kPOSPrinter;
  std::string name;  // the device key name, in the code page
  std::vector<Value> values;
  int line = 0;
};

struct SetupFile {
  int format = kFormat;
  std::vector<PortCount> ports;
  std::vector<Device> devices;
};

// "POSPrinter", "LineDisplay", "CashDrawer".
const char* ClassName(device_rules::DeviceClass deviceClass);
// "[POSPrinter\name]" as problems name a device.
std::string DeviceLabel(device_rules::DeviceClass deviceClass, const std::string& name);
// A device key name the registry and every class-key scan accept: not
// empty, at most 255 characters, no '\', not beginning with '['.
bool IsDeviceKeyName(const std::string& name);
// Well-formed UTF-8 (any ASCII character).
bool IsUtf8(const std::string& text);

// Reads a file's bytes. False with one line per problem (naming the line,
// the device and the value) when anything is wrong; *file is then
// incomplete and must not be applied.
bool Parse(const std::string& bytes, SetupFile* file, std::vector<std::string>* problems);
// The text of a set-up, lines ended by CR LF. False (with problems) only
// when a text cannot be written in UTF-8 from the code page.
bool Write(const SetupFile& file, std::string* text, std::vector<std::string>* problems);

// A value as the file writes it after "name=": "sz:COM1", "dword:7", ...;
// false when its text can't be converted.
bool FormatValue(const RegistryValue& value, std::string* text);
// "type:data" of a value (or of a /set argument) into a value named name;
// an empty string on success, else what is wrong with it.
std::string ParseValue(const std::string& name, const std::string& typeAndData, RegistryValue* value);

}  // namespace setup_file
