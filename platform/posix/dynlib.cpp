#include "platform/dynlib.h"

#include <dlfcn.h>

namespace platform {

LibraryHandle LoadDynamicLibrary(const std::string& path) {
  if (path.empty()) return nullptr;
  return dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
}

void* FindSymbol(LibraryHandle library, const char* name) {
  if (!library || !name) return nullptr;
  return dlsym(library, name);
}

void FreeDynamicLibrary(LibraryHandle library) {
  if (library) dlclose(library);
}

}  // namespace platform
