// What the device entry reader needs from the machine: the Windows 95
// family test and the USB printer lookup. Tests replace the USB lookup.
#pragma once

#include "service/common/device_entry.h"

DeviceEntryEnvironment MakeDeviceEntryEnvironment();

// Tests: the lookup used for USB entries; an empty function restores the
// default, which lists the attached printers.
void SetUsbResolverForTesting(
    std::function<std::string(const std::string& storedPath, const std::string& productId)> resolver);
