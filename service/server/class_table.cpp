#include "service/server/class_table.h"

#include <iterator>

#include "service/server/cash_drawer_object.h"
#include "service/server/guids.h"
#include "service/server/line_display_object.h"
#include "service/server/pos_printer_object.h"

namespace server {
namespace {

CClassFactory g_printerFactory(&CPOSPrinterObject::Create);
CClassFactory g_drawerFactory(&CCashDrawerObject::Create);
CClassFactory g_displayFactory(&CLineDisplayObject::Create);

const ServerClass kClasses[] = {
    {&CLSID_POSPrinter, L"Tavo.POSPrinter.ServiceObject.1.9", &g_printerFactory},
    {&CLSID_CashDrawer, L"Tavo.CashDrawer.ServiceObject1.9", &g_drawerFactory},
    {&CLSID_LineDisplay, L"Tavo.LineDisplay.ServiceObject.1.9", &g_displayFactory},
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
