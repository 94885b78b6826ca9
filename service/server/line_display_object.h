// The COM class of the line display Service Object: CLineDisplay behind an
// IDispatch built from the display's dispatch table. Like the printer's, it
// owns the links to the Control Objects handed to OpenService (borrowed
// pointers), kept until a successful Close or destruction. Apartment-bound:
// every call on the thread that opened it.
#pragma once

#include <windows.h>
#undef OpenService   // <winsvc.h> would rename the display's member
#undef CreateWindow  // <winuser.h> likewise
#undef DrawText

#include <memory>
#include <vector>

#include "service/display/line_display.h"
#include "service/server/dispatch_control_object.h"
#include "service/server/dispatch_object.h"

namespace server {

class CLineDisplayObject : public CDispatchObject<CLineDisplayObject> {
 public:
  static IUnknown* Create();
  static const CDispatchTable<CLineDisplayObject>& Table();
  static const GUID& LibraryId();
  static const IID& InterfaceId();

  CLineDisplay& Display() { return display_; }

  int32_t OpenService(const std::string& deviceClass, const std::string& deviceName, IDispatch* controlObject);
  int32_t Close();

 private:
  CLineDisplayObject() = default;
  ~CLineDisplayObject() override = default;

  // Declared before the display so the display goes first.
  std::vector<std::unique_ptr<CDispatchControlObject>> links_;
  CLineDisplay display_;
};

}  // namespace server
