// The link from a Service Object to its Control Object: the four event
// methods, looked up by name and called by id. The win32 build implements it
// over the Control Object's IDispatch (service/server); tests use a double.
// Every call happens on the thread that called OpenService.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>

class IControlObject {
 public:
  virtual ~IControlObject() = default;

  // Looks up one method name; false when the Control Object has none.
  virtual bool LookUp(const char* name, int32_t* dispid) = 0;

  // Calls an event method; failures are not reported (events count as
  // delivered either way).
  virtual void SODirectIO(int32_t dispid, int32_t eventNumber, int32_t* data, std::string* text) = 0;
  virtual void SOError(int32_t dispid, int32_t resultCode, int32_t resultCodeExtended, int32_t errorLocus,
                       int32_t* errorResponse) = 0;
  virtual void SOOutputComplete(int32_t dispid, int32_t outputId) = 0;
  virtual void SOStatusUpdate(int32_t dispid, int32_t status) = 0;
};

// One event method a Service Object calls, and where its id goes.
struct EventMethod {
  const char* name;
  int32_t* dispid;
};

// Looks the methods up in the order given; the Control Object when every
// one was found, null otherwise (also for a null Control Object). The link
// holds no reference.
IControlObject* LinkEventMethods(IControlObject* controlObject, std::initializer_list<EventMethod> methods);
