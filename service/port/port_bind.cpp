// Binding the port-manager library named by the registry.
#include "common/registry_access.h"
#include "common/registry_schema.h"
#include "platform/dynlib.h"
#include "service/port/port_manager.h"

namespace {
template <typename Fn>
void BindOne(platform::LibraryHandle module, const char* name, Fn* slot) {
  *slot = reinterpret_cast<Fn>(platform::FindSymbol(module, name));
}

// Looked up in this order; all eleven must be found.
PortLibrary LookUpEntryPoints(platform::LibraryHandle module) {
  PortLibrary lib;
  BindOne(module, "Write", &lib.Write);
  BindOne(module, "Read", &lib.Read);
  BindOne(module, "ClosePort", &lib.ClosePort);
  BindOne(module, "OpenPort", &lib.OpenPort);
  BindOne(module, "Clear", &lib.Clear);
  BindOne(module, "SetDeviceOption", &lib.SetDeviceOption);
  BindOne(module, "GetInputBufferCount", &lib.GetInputBufferCount);
  BindOne(module, "IsPowerState", &lib.IsPowerState);
  BindOne(module, "GetASBState", &lib.GetASBState);
  BindOne(module, "CreatePort", &lib.CreatePort);
  BindOne(module, "DeletePort", &lib.DeletePort);
  return lib;
}
}  // namespace

bool CPortManager::Bind() {
  std::string path;
  if (!CRegistryAccess().ReadString(schema::kServiceInfoKey, schema::kMngdir, &path)) return false;
  return BindPath(path);
}

bool CPortManager::BindPath(const std::string& path) {
  Unbind();
  platform::LibraryHandle module = platform::LoadDynamicLibrary(path);
  if (!module) return false;
  const PortLibrary lib = LookUpEntryPoints(module);
  if (!lib.Complete()) {
    platform::FreeDynamicLibrary(module);
    return false;
  }
  lib_ = lib;
  module_ = module;
  return true;
}
