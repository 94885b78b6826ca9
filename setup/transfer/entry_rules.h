// The rules a device entry's single values follow in the dialogs: which
// type each value has and which texts the port settings dialog, the cash
// drawer dialog and the wizard can leave in it. Values the dialogs don't
// know are taken as they are.
#pragma once

#include <string>

#include "common/device_rules.h"
#include "common/registry_access.h"

namespace devsetup {

// The registry type a known value must have (REG_SZ or REG_DWORD); 0 for a
// value the package does not know.
uint32_t KnownValueType(device_rules::DeviceClass deviceClass, const std::string& valueName);
// "" when the value is one the dialogs could have written, else what is
// wrong with it (type or content). The port against the port counts and
// the interfaces, LDNs and the drawer's printer are checked with the whole
// set-up (setup_import.h).
std::string CheckValue(device_rules::DeviceClass deviceClass, const RegistryValue& value);

// The text of a REG_SZ value (up to its first NUL); false for other types.
bool ValueText(const RegistryValue& value, std::string* text);
// A REG_DWORD's number; false for other types or sizes.
bool ValueNumber(const RegistryValue& value, uint32_t* number);

// Decimal digits only, at least one.
bool IsDigits(const std::string& text);
// Four dotted decimal parts of 0 to 255, as the dialog writes "TcpIp".
bool IsDottedAddress(const std::string& text);

}  // namespace devsetup
