// The cash drawer's interactive check-health dialog (template 1008).
#pragma once

#include <windows.h>
#undef OpenService

#include "service/drawer/cash_drawer.h"

namespace server {

class CCashDrawerHealthDlg {
 public:
  // Shows the dialog modally for the drawer; returns when it is closed.
  static void Show(CCashDrawer& drawer, HINSTANCE instance);
};

}  // namespace server
