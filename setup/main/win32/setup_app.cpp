// devsetup.exe: the application object. With /export or /import it runs
// that without a window and ends with its exit code. Otherwise it prepares
// COM, the control host (the hosted Control Objects) and the common
// controls, runs the main window modally and ends when it closes.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "common/registry_access.h"
#include "common/trace_log.h"
#include "setup/hosting/win32/control_host.h"
#include "setup/main/win32/device_setup_dlg.h"
#include "setup/transfer/transfer_command.h"
#include "setup/transfer/win32/console_output.h"

namespace {

class CSetupApp {
 public:
  int Run() {
    std::vector<std::string> args(__argv + 1, __argv + __argc);
    devsetup::TransferCommand command;
    std::string error;
    if (!devsetup::ParseTransferCommand(args, &command, &error)) {
      CConsoleOutput output;
      output.Err("devsetup: " + error);
      output.Err(devsetup::TransferUsage());
      return devsetup::kExitFailed;
    }
    if (command.action != devsetup::TransferAction::kWindow) {
      InstallTraceLog(ReadTraceLogSettings(CRegistryAccess()));
      CConsoleOutput output;
      return devsetup::RunTransfer(command, output);
    }
    return RunWindow();
  }

 private:
  int RunWindow() {
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
