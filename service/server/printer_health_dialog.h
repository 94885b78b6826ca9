// The printer's interactive check-health dialog (template 1007).
#pragma once

#include <windows.h>
#undef OpenService

#include "service/printer/pos_printer.h"

namespace server {

class CPrinterHealthDlg {
 public:
  // Shows the dialog modally for the printer; returns when it is closed.
  static void Show(CPOSPrinter& printer, HINSTANCE instance);
};

}  // namespace server
