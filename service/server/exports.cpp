// The module's entry points. Each export catches everything: no C++
// exception leaves the module.
#include <windows.h>
#include <olectl.h>

#include <mutex>

#include "common/registry_access.h"
#include "common/trace_log.h"
#include "service/server/class_table.h"
#include "service/server/module.h"
#include "service/server/registration.h"

using namespace server;

namespace {

// The support trace log is switched on by ServiceInfo values; read once,
// before the first Service Object exists (not in DllMain: no registry
// work under the loader lock).
void StartTraceLogOnce() {
  static std::once_flag once;
  try {
    std::call_once(once, [] { InstallTraceLog(ReadTraceLogSettings(CRegistryAccess())); });
  } catch (...) {
    // Tracing is optional; the object is created all the same.
  }
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    SetModuleInstance(instance);
    DisableThreadLibraryCalls(instance);
  }
  return TRUE;
}

STDAPI DllGetClassObject(REFCLSID clsid, REFIID iid, LPVOID* out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  const ServerClass* row = FindServerClass(clsid);
  if (!row) return CLASS_E_CLASSNOTAVAILABLE;
  StartTraceLogOnce();
  return row->factory->QueryInterface(iid, out);
}

STDAPI DllCanUnloadNow() { return ModuleLockCount() == 0 ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() {
  try {
    return RegisterServerClasses(ModulePath());
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}

STDAPI DllUnregisterServer() {
  try {
    return UnregisterServerClasses();
  } catch (...) {
    return SELFREG_E_CLASS;
  }
}

}  // extern "C"
