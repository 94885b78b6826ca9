#include "service/server/cash_drawer_object.h"

#include <new>

#include "common/opos.h"
#include "service/server/drawer_health_dialog.h"
#include "service/server/guids.h"
#include "service/server/module.h"

namespace server {

IUnknown* CCashDrawerObject::Create() { return new (std::nothrow) CCashDrawerObject(); }

CCashDrawerObject::CCashDrawerObject() {
  drawer_.SetHealthDialog([](CCashDrawer& drawer) { CCashDrawerHealthDlg::Show(drawer, ModuleInstance()); });
}

const GUID& CCashDrawerObject::LibraryId() { return LIBID_CashDrawer; }
const IID& CCashDrawerObject::InterfaceId() { return DIID_CashDrawer; }

int32_t CCashDrawerObject::OpenService(const std::string& deviceClass, const std::string& deviceName,
                                       IDispatch* controlObject) {
  links_.push_back(std::make_unique<CDispatchControlObject>(controlObject));
  return drawer_.OpenService(deviceClass, deviceName, links_.back().get());
}

int32_t CCashDrawerObject::Close() {
  int32_t rc = drawer_.Close();
  if (rc == opos::OPOS_SUCCESS) links_.clear();
  return rc;
}

}  // namespace server
