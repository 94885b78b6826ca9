// devsetup.exe: the application object. Prepares COM and the control host
// (the hosted Control Objects) and the common controls, runs the main
// window modally and ends when it closes.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include "setup/hosting/win32/control_host.h"
#include "setup/main/win32/device_setup_dlg.h"

namespace {

class CSetupApp {
 public:
  int Run() {
    if (FAILED(OleInitialize(nullptr))) return 1;
    control_host::Enable();  // without it the wrappers create the objects themselves
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES | ICC_UPDOWN_CLASS | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    {
      CDeviceSetupDlg dialog;
      dialog.DoModal(nullptr);
    }
    OleUninitialize();
    return 0;
  }
};

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return CSetupApp().Run(); }
