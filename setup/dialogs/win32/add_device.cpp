#include "setup/dialogs/win32/add_device.h"

#include "setup/dialogs/win32/cash_drawer_dlg.h"
#include "setup/dialogs/win32/port_settings_dlg.h"
#include "setup/dialogs/win32/select_model_dlg.h"
#include "setup/dialogs/win32/select_printer_dlg.h"

namespace device_dialogs {

void AddPrinterOrDisplay(HWND owner, const CRegistryAccess& reg, device_rules::DeviceClass deviceClass) {
  CSelectModelDlg model(reg, deviceClass);
  if (model.DoModal(owner) != IDOK) return;
  CPortSettingsDlg(reg, deviceClass, model.NewDeviceName(), true).DoModal(owner);
}

void AddCashDrawer(HWND owner, const CRegistryAccess& reg) {
  CSelectPrinterDlg printer(reg);
  if (printer.DoModal(owner) != IDOK) return;
  CCashDrawerDlg(devsetup::CCashDrawerRules::ForNewDrawer(reg, printer.SelectedPrinter())).DoModal(owner);
}

void ModifyDevice(HWND owner, const CRegistryAccess& reg, const devsetup::TreeSelection& selection) {
  const std::optional<devsetup::SelectedDevice> device = devsetup::DeviceOf(selection);
  if (!device) return;
  if (device->deviceClass == device_rules::DeviceClass::kCashDrawer) {
    CCashDrawerDlg(devsetup::CCashDrawerRules::ForDrawer(reg, device->name)).DoModal(owner);
  } else {
    CPortSettingsDlg(reg, device->deviceClass, device->name, false).DoModal(owner);
  }
}

}  // namespace device_dialogs
