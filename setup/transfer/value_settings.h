// "/set CLASS\DEVICE:VALUE=DATA": what differs from till to till, given on
// the command line instead of in the file (the printer's TcpIp, say).
#pragma once

#include <string>
#include <vector>

#include "common/setup_file.h"

namespace devsetup {

struct ValueSetting {
  std::string argument;  // as given, for messages
  device_rules::DeviceClass deviceClass = device_rules::DeviceClass::kPOSPrinter;
  std::string device;
  std::string valueName;  // "@" or "" for the default value
  std::string data;
};

// Splits the argument; the device name ends at the last ':' before '='.
// False with *problem when it is not of that form.
bool ParseSetting(const std::string& argument, ValueSetting* setting, std::string* problem);
// Sets each value in the file's device: in the type the file gives it,
// else the type the package knows for it, else as text. False with one
// problem per setting that names no device of the file or whose data does
// not fit the type.
bool ApplySettings(const std::vector<ValueSetting>& settings, setup_file::SetupFile* file,
                   std::vector<std::string>* problems);

}  // namespace devsetup
