// The module's class table: one row per COM class. DllGetClassObject,
// DllRegisterServer and DllUnregisterServer all walk this one table.
#pragma once

#include <windows.h>

#include <cstddef>

#include "service/server/class_factory.h"

namespace server {

struct ServerClass {
  const CLSID* clsid;
  const wchar_t* progId;    // also the class's readable name
  CClassFactory* factory;   // nullptr: the row is reserved, not yet served
};

// All rows, in registration order.
const ServerClass* ServerClasses(size_t* count);

// The served row of a CLSID, or nullptr.
const ServerClass* FindServerClass(REFCLSID clsid);

}  // namespace server
