// The COM class of the cash drawer Service Object: CCashDrawer behind an
// IDispatch built from the drawer's dispatch table. Like the printer's, it
// owns the links to the Control Objects handed to OpenService (borrowed
// pointers), kept until a successful Close or destruction. Apartment-bound:
// every call on the thread that opened it.
#pragma once

#include <windows.h>
#undef OpenService  // <winsvc.h> would rename the drawer's member

#include <memory>
#include <vector>

#include "service/drawer/cash_drawer.h"
#include "service/server/dispatch_control_object.h"
#include "service/server/dispatch_object.h"

namespace server {

class CCashDrawerObject : public CDispatchObject<CCashDrawerObject> {
 public:
  static IUnknown* Create();
  static const CDispatchTable<CCashDrawerObject>& Table();
  static const GUID& LibraryId();
  static const IID& InterfaceId();

  CCashDrawer& Drawer() { return drawer_; }

  int32_t OpenService(const std::string& deviceClass, const std::string& deviceName, IDispatch* controlObject);
  int32_t Close();

 private:
  CCashDrawerObject();
  ~CCashDrawerObject() override = default;

  // Declared before the drawer so the drawer goes first.
  std::vector<std::unique_ptr<CDispatchControlObject>> links_;
  CCashDrawer drawer_;
};

}  // namespace server
