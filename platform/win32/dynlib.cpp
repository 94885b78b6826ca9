#include "platform/dynlib.h"

#include <windows.h>

namespace platform {

LibraryHandle LoadDynamicLibrary(const std::string& path) {
  if (path.empty()) return nullptr;
  return reinterpret_cast<LibraryHandle>(LoadLibraryA(path.c_str()));
}

void* FindSymbol(LibraryHandle library, const char* name) {
  if (!library || !name) return nullptr;
  return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void FreeDynamicLibrary(LibraryHandle library) {
  if (library) FreeLibrary(static_cast<HMODULE>(library));
}

}  // namespace platform
