// Fixed identities of the module's classes. The type libraries are not
// shipped by the module; their ids are what GetTypeInfo looks up.
#pragma once

#include <windows.h>

namespace server {

extern const CLSID CLSID_POSPrinter;
extern const IID DIID_POSPrinter;   // dispatch interface of the printer
extern const GUID LIBID_POSPrinter;

extern const CLSID CLSID_CashDrawer;
extern const IID DIID_CashDrawer;
extern const GUID LIBID_CashDrawer;

extern const CLSID CLSID_LineDisplay;
extern const IID DIID_LineDisplay;
extern const GUID LIBID_LineDisplay;

}  // namespace server
