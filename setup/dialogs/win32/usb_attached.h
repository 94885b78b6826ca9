// The USB printers attached now, as the port settings dialog lists them.
#pragma once

#include "setup/dialogs/usb_items.h"

// The attached USB printers in the package's list order, paths upper-cased.
devsetup::UsbPrinterItems AttachedUsbPrinters();
