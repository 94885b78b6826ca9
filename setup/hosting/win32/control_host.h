// The system's control-hosting window class, "AtlAxWin" of atl.dll, reached
// at run time so the build needs no ATL headers or libraries. A window of
// that class whose text is a class id creates that control when it is
// created and holds it until it is destroyed; dialog templates place such
// windows like any other control. User-interface thread only.
#pragma once

#include <windows.h>
#include <oaidl.h>

namespace control_host {

constexpr char kWindowClass[] = "AtlAxWin";

// Loads the host from the system folder and registers its window class,
// once per process. False when the system offers no host: templates then
// lose their hosted controls (their dialogs carry DS_NOFAILCREATE) and
// callers create the objects themselves.
bool Enable();

// The automation interface of the control that `window` hosts, as a new
// reference; null when the window is missing, is no host window, or holds
// no control (its class id was not registered, or hosting is off).
IDispatch* HostedDispatch(HWND window);

}  // namespace control_host
