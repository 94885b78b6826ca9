// Run-time loading of shared libraries: LoadLibrary/GetProcAddress/FreeLibrary
// on Windows, dlopen/dlsym/dlclose elsewhere. The path is passed to the OS
// unchanged. All calls are thread-safe as the OS calls are.
#pragma once

#include <string>

namespace platform {

using LibraryHandle = void*;

// Null when the library cannot be loaded.
LibraryHandle LoadDynamicLibrary(const std::string& path);
// Null when the library is null or has no such export.
void* FindSymbol(LibraryHandle library, const char* name);
// Null is ignored.
void FreeDynamicLibrary(LibraryHandle library);

}  // namespace platform
