// Module-wide state of ptrservice.dll: its instance handle and the lock
// count that DllCanUnloadNow reads. Every live COM object and every
// IClassFactory::LockServer(TRUE) holds one lock. Thread-safe.
#pragma once

#include <windows.h>

#include <string>

namespace server {

void SetModuleInstance(HINSTANCE instance);  // from DllMain
HINSTANCE ModuleInstance();

// The module file's full path (GetModuleFileName, no length limit).
std::wstring ModulePath();

void LockModule();
void UnlockModule();
long ModuleLockCount();

}  // namespace server
