// The USB printers attached now, as the port settings dialog lists them.
#pragma once

#include "setup/dialogs/usb_items.h"

// Every present interface of the USB printer class that can be opened for
// reading and writing, in enumeration order, paths upper-cased.
devsetup::UsbPrinterItems AttachedUsbPrinters();
