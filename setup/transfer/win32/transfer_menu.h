// "Export device set-up..." and "Import device set-up..." on the main
// window, in a menu that a right-click on the window (or Shift+F10) opens,
// so the window's layout stays as it is. File dialogs pick the file; the
// outcome, or a refused file's problems, show in a message box.
#pragma once

#include <windows.h>

#include <functional>

namespace transfer_menu {

// For WM_CONTEXTMENU of the main window: shows the menu and runs the
// choice. afterImport runs when an import wrote the registry. True when
// the message was handled.
bool OnContextMenu(HWND window, LPARAM position, const std::function<void()>& afterImport);

}  // namespace transfer_menu
