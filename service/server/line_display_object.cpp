#include "service/server/line_display_object.h"

#include <new>

#include "common/opos.h"
#include "service/server/guids.h"

namespace server {

IUnknown* CLineDisplayObject::Create() { return new (std::nothrow) CLineDisplayObject(); }

const GUID& CLineDisplayObject::LibraryId() { return LIBID_LineDisplay; }
const IID& CLineDisplayObject::InterfaceId() { return DIID_LineDisplay; }

int32_t CLineDisplayObject::OpenService(const std::string& deviceClass, const std::string& deviceName,
                                        IDispatch* controlObject) {
  links_.push_back(std::make_unique<CDispatchControlObject>(controlObject));
  return display_.OpenService(deviceClass, deviceName, links_.back().get());
}

int32_t CLineDisplayObject::Close() {
  int32_t rc = display_.Close();
  if (rc == opos::OPOS_SUCCESS) links_.clear();
  return rc;
}

}  // namespace server
