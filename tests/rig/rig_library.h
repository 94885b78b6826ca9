// The port-manager library as a caller binds it: loaded at run time by path
// and its eleven entry points looked up by name, the way the Service Objects
// do it. The tests then call the raw entry points.
#pragma once

#include <string>
#include <vector>

#include "platform/dynlib.h"
#include "portmgr/portmgr_api.h"

namespace rig {

// The entry points as function pointers; null until bound.
struct EntryPoints {
  PFN_Write Write = nullptr;
  PFN_Read Read = nullptr;
  PFN_ClosePort ClosePort = nullptr;
  PFN_OpenPort OpenPort = nullptr;
  PFN_Clear Clear = nullptr;
  PFN_SetDeviceOption SetDeviceOption = nullptr;
  PFN_GetInputBufferCount GetInputBufferCount = nullptr;
  PFN_IsPowerState IsPowerState = nullptr;
  PFN_GetASBState GetASBState = nullptr;
  PFN_CreatePort CreatePort = nullptr;
  PFN_DeletePort DeletePort = nullptr;
};

class PortLibrary : public EntryPoints {
 public:
  PortLibrary() = default;
  ~PortLibrary() { Unload(); }
  PortLibrary(const PortLibrary&) = delete;
  PortLibrary& operator=(const PortLibrary&) = delete;

  // True when the library loaded and all eleven names were found; Missing()
  // lists the ones that were not.
  bool Load(const std::string& path);
  void Unload();
  bool Loaded() const { return module_ != nullptr; }
  const std::vector<std::string>& Missing() const { return missing_; }

 private:
  void* Find(const char* name);

  platform::LibraryHandle module_ = nullptr;
  std::vector<std::string> missing_;
};

// The library every test uses: loaded once from the path the build gives
// (the file beside the program on Windows). Null when it cannot be bound.
PortLibrary* SharedLibrary();

}  // namespace rig
