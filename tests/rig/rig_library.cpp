#include "tests/rig/rig_library.h"

namespace rig {

void* PortLibrary::Find(const char* name) {
  void* symbol = platform::FindSymbol(module_, name);
  if (!symbol) missing_.push_back(name);
  return symbol;
}

template <typename Fn>
static void Take(void* symbol, Fn* slot) {
  *slot = reinterpret_cast<Fn>(symbol);
}

// Looked up in the order the Service Objects use.
bool PortLibrary::Load(const std::string& path) {
  Unload();
  module_ = platform::LoadDynamicLibrary(path);
  if (!module_) return false;
  Take(Find("Write"), &Write);
  Take(Find("Read"), &Read);
  Take(Find("ClosePort"), &ClosePort);
  Take(Find("OpenPort"), &OpenPort);
  Take(Find("Clear"), &Clear);
  Take(Find("SetDeviceOption"), &SetDeviceOption);
  Take(Find("GetInputBufferCount"), &GetInputBufferCount);
  Take(Find("IsPowerState"), &IsPowerState);
  Take(Find("GetASBState"), &GetASBState);
  Take(Find("CreatePort"), &CreatePort);
  Take(Find("DeletePort"), &DeletePort);
  return missing_.empty();
}

void PortLibrary::Unload() {
  platform::FreeDynamicLibrary(module_);
  module_ = nullptr;
  missing_.clear();
  static_cast<EntryPoints&>(*this) = EntryPoints();
}

PortLibrary* SharedLibrary() {
  static PortLibrary* library = [] {
    static PortLibrary lib;
    return lib.Load(RIG_PORTMGR_LIBRARY) ? &lib : nullptr;
  }();
  return library;
}

}  // namespace rig
