// Self-registration from the class table. Each served class is registered
// as an in-process automation server under HKEY_CLASSES_ROOT:
//   <ProgID>                      = <ProgID>
//   <ProgID>\CLSID                = {clsid}
//   CLSID\{clsid}                 = <ProgID>
//   CLSID\{clsid}\ProgID          = <ProgID>
//   CLSID\{clsid}\InprocServer32  = <module path>, ThreadingModel "Apartment"
// Apartment: a Service Object takes every call on the thread that opened
// it, which also owns its hidden event window.
#pragma once

#include <windows.h>

#include <string>

namespace server {

// S_OK, or SELFREG_E_CLASS when a key can't be written (what was written
// is removed again).
HRESULT RegisterServerClasses(const std::wstring& modulePath);

// Removes the keys of every row; absent keys are fine. S_OK, or
// SELFREG_E_CLASS when an existing key can't be removed.
HRESULT UnregisterServerClasses();

// "{XXXXXXXX-...}" form of a GUID.
std::wstring GuidString(REFGUID guid);

}  // namespace server
