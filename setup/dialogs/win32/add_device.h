// The main window's commands that open the device dialogs: the add-device
// wizard for a printer, a line display or a cash drawer, and Modify Device.
// The caller rebuilds its tree afterwards in every case.
#pragma once

#include <windows.h>

#include "setup/main/device_tree.h"

class CRegistryAccess;

namespace device_dialogs {

// Model choice, then the port settings of the new entry. deviceClass is
// kPOSPrinter or kLineDisplay.
void AddPrinterOrDisplay(HWND owner, const CRegistryAccess& reg, device_rules::DeviceClass deviceClass);
// Connected printer choice, then the cash drawer dialog for a new drawer.
void AddCashDrawer(HWND owner, const CRegistryAccess& reg);
// The settings dialog of the selected device; nothing for another node.
void ModifyDevice(HWND owner, const CRegistryAccess& reg, const devsetup::TreeSelection& selection);

}  // namespace device_dialogs
