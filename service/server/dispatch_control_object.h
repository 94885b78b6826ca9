// IControlObject over a Control Object's IDispatch: names are looked up with
// GetIDsOfNames, events are Invoke'd as methods. The IDispatch is borrowed,
// not AddRef'd: the Control Object owns the Service Object and closes it
// before it goes, and a reference back would be a cycle that keeps both
// (and the open port) alive when an application drops the Control Object
// without Close. Each event call holds a reference while it runs. Called on
// the thread that opened the Service Object (the event window's thread).
#pragma once

#include <windows.h>
#include <oaidl.h>

#include "service/common/control_object.h"

namespace server {

class CDispatchControlObject : public IControlObject {
 public:
  explicit CDispatchControlObject(IDispatch* controlObject);  // may be null
  ~CDispatchControlObject() override = default;
  CDispatchControlObject(const CDispatchControlObject&) = delete;
  CDispatchControlObject& operator=(const CDispatchControlObject&) = delete;

  bool LookUp(const char* name, int32_t* dispid) override;
  void SODirectIO(int32_t dispid, int32_t eventNumber, int32_t* data, std::string* text) override;
  void SOError(int32_t dispid, int32_t resultCode, int32_t resultCodeExtended, int32_t errorLocus,
               int32_t* errorResponse) override;
  void SOOutputComplete(int32_t dispid, int32_t outputId) override;
  void SOStatusUpdate(int32_t dispid, int32_t status) override;

 private:
  IDispatch* dispatch_;
};

}  // namespace server
