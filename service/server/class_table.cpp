#include "service/server/class_table.h"

#include <iterator>

#include "service/server/guids.h"
#include "service/server/pos_printer_object.h"

namespace server {
namespace {

CClassFactory g_printerFactory(&CPOSPrinterObject::Create);

// The cash drawer's row waits for its dispatch object: give it a factory
// (CClassFactory over CCashDrawerObject::Create) and it is served and
// registered like the printer.
const ServerClass kClasses[] = {
    {&CLSID_POSPrinter, L"Tavo.POSPrinter.ServiceObject.1.9", &g_printerFactory},
    {&CLSID_CashDrawer, L"Tavo.CashDrawer.ServiceObject1.9", nullptr},
};

}  // namespace

const ServerClass* ServerClasses(size_t* count) {
  *count = std::size(kClasses);
  return kClasses;
}

const ServerClass* FindServerClass(REFCLSID clsid) {
  for (const ServerClass& row : kClasses) {
    if (row.factory && IsEqualCLSID(*row.clsid, clsid)) return &row;
  }
  return nullptr;
}

}  // namespace server
