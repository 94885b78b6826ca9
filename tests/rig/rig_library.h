// The port-manager library as a caller binds it: loaded at run time by path
// and its eleven entry points looked up by name, the way the Service Objects
// do it. The tests then call the raw entry points.
#pragma once

#include <string>
#include <vector>

#include "platform/dynlib.h"
#include "portmgr/portmgr_api.h"
#include "service/port/port_manager.h"

namespace rig {

// The entry points as function pointers, the same table the Service
// Objects bind; null until bound.
using EntryPoints = ::PortLibrary;

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
