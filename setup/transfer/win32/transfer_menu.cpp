#include "setup/transfer/win32/transfer_menu.h"

#include <commdlg.h>

#include <string>

#include "setup/transfer/transfer_command.h"
#include "setup/transfer/transfer_summary.h"
#include "setup/ui/win32/win_message_box.h"

namespace transfer_menu {
namespace {

enum : UINT { kExport = 1, kImport = 2 };
constexpr char kFilter[] = "Device set-up (*.ini)\0*.ini\0All files (*.*)\0*.*\0";

bool PickFile(HWND window, bool save, std::string* path) {
  char file[MAX_PATH] = "devices.ini";
  if (!save) file[0] = '\0';
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = window;
  dialog.lpstrFilter = kFilter;
  dialog.lpstrFile = file;
  dialog.nMaxFile = sizeof file;
  dialog.lpstrDefExt = "ini";
  dialog.Flags = OFN_NOCHANGEDIR | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
  if (!(save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog))) return false;
  *path = file;
  return true;
}

void Run(HWND window, devsetup::TransferAction action, const std::function<void()>& afterImport) {
  std::string path;
  if (!PickFile(window, action == devsetup::TransferAction::kExport, &path)) return;
  devsetup::TransferCommand command;
  command.action = action;
  command.file = path;
  command.views = devsetup::DefaultViews(action);
  devsetup::CTransferLines lines;
  const int code = devsetup::RunTransfer(command, lines);
  if (action == devsetup::TransferAction::kImport && code != devsetup::kExitRefused) afterImport();
  const UINT icon = code == devsetup::kExitDone ? MB_ICONINFORMATION : MB_ICONWARNING;
  MessageBoxA(window, devsetup::TransferSummary(code, lines).c_str(), CWinMessageBox::kProgramName, MB_OK | icon);
}

}  // namespace

bool OnContextMenu(HWND window, LPARAM position, const std::function<void()>& afterImport) {
  POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
  if (position == static_cast<LPARAM>(-1)) {  // from the keyboard
    RECT frame{};
    GetWindowRect(window, &frame);
    at = {frame.left + 24, frame.top + 24};
  }
  HMENU menu = CreatePopupMenu();
  if (!menu) return false;
  AppendMenuA(menu, MF_STRING, kExport, "&Export device set-up...");
  AppendMenuA(menu, MF_STRING, kImport, "&Import device set-up...");
  const UINT choice = static_cast<UINT>(
      TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, window, nullptr));
  DestroyMenu(menu);
  if (choice == kExport) Run(window, devsetup::TransferAction::kExport, afterImport);
  if (choice == kImport) Run(window, devsetup::TransferAction::kImport, afterImport);
  return true;
}

}  // namespace transfer_menu
