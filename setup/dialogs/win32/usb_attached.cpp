#include "setup/dialogs/win32/usb_attached.h"

#include "common/usb_printer_list.h"

// The package's own USB list, so the dialog lists exactly what the
// Service Objects resolve.
devsetup::UsbPrinterItems AttachedUsbPrinters() {
  CUsbPrinterList list;
  std::vector<std::string> paths;
  const int32_t count = list.Refresh();
  for (int32_t i = 0; i < count; ++i) {
    if (const UsbPrinterRecord* record = list.ItemAt(i)) paths.push_back(record->devicePath);
  }
  return devsetup::MakeUsbItems(paths);
}
