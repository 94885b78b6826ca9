#include "setup/hosting/win32/control_host.h"

#include <string>

namespace control_host {

namespace {

using WinInitFn = BOOL(WINAPI*)();
using GetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

GetControlFn g_getControl = nullptr;

template <typename F>
F Export(HMODULE module, const char* name) {
  return reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

// By full path, so a copy beside the program is never picked up instead.
HMODULE LoadSystemHost() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return nullptr;
  return LoadLibraryW((std::wstring(folder, length) + L"\\atl.dll").c_str());
}

bool ClassRegistered() {
  WNDCLASSEXA info{};
  info.cbSize = sizeof info;
  return GetClassInfoExA(GetModuleHandleA(nullptr), kWindowClass, &info) != FALSE;
}

bool Load() {
  HMODULE host = LoadSystemHost();
  if (!host) return false;
  const auto init = Export<WinInitFn>(host, "AtlAxWinInit");
  const auto getControl = Export<GetControlFn>(host, "AtlAxGetControl");
  // Some hosts refuse a second registration; the class is there all the same.
  if (!init || !getControl || (!init() && !ClassRegistered())) {
    FreeLibrary(host);
    return false;
  }
  g_getControl = getControl;  // the library stays loaded: the class's window procedure lives in it
  return true;
}

}  // namespace

bool Enable() {
  static const bool enabled = Load();
  return enabled;
}

IDispatch* HostedDispatch(HWND window) {
  if (!window || !g_getControl) return nullptr;
  char name[32] = {};
  if (!GetClassNameA(window, name, sizeof name) || lstrcmpiA(name, kWindowClass) != 0) return nullptr;
  IUnknown* control = nullptr;
  if (FAILED(g_getControl(window, &control)) || !control) return nullptr;
  IDispatch* object = nullptr;
  if (FAILED(control->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(&object)))) object = nullptr;
  control->Release();
  return object;
}

}  // namespace control_host
