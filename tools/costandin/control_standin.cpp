#include "tools/costandin/control_standin.h"

#include <vector>

#include "common/device_rules.h"
#include "common/opos.h"
#include "common/registry_access.h"
#include "common/registry_schema.h"
#include "platform/com/win32/dispatch_call.h"
#include "platform/com/win32/opos_control_ids.h"

namespace {

using namespace opos_control;

constexpr long kDeviceEnabledIndex = 3;  // PIDX_DeviceEnabled of the Service Object

std::string ClassKey(const std::string& deviceClass) {
  return std::string(schema::kServiceOposRoot) + "\\" + deviceClass;
}

void SetLong(VARIANT* result, long value) {
  if (!result) return;
  VariantInit(result);
  result->vt = VT_I4;
  result->lVal = value;
}

// Argument i of a call as a number or text (0 and "" when missing).
long LongArg(const DISPPARAMS* params, UINT i) {
  const VARIANT* v = dispatch::Argument(params, i);
  return v ? dispatch::LongOf(*v, 0) : 0;
}

std::string TextArg(const DISPPARAMS* params, UINT i) {
  const VARIANT* v = dispatch::Argument(params, i);
  if (!v) return {};
  if (v->vt == VT_BSTR) return dispatch::Narrow(v->bstrVal);
  if (v->vt == (VT_BSTR | VT_BYREF) && v->pbstrVal) return dispatch::Narrow(*v->pbstrVal);
  return {};
}

}  // namespace

CControlStandIn::~CControlStandIn() {
  if (service_) service_->Release();
}

STDMETHODIMP CControlStandIn::QueryInterface(REFIID iid, void** out) {
  if (out && IsEqualIID(iid, IID_IOleObject)) {
    *out = static_cast<IOleObject*>(this);
    AddRef();
    return S_OK;
  }
  return CEventSink::QueryInterface(iid, out);
}

STDMETHODIMP CControlStandIn::Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params,
                                     VARIANT* result, EXCEPINFO* exception, UINT* argErr) {
  const bool put = (flags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0;
  switch (id) {
    case kOpen: SetLong(result, Open(TextArg(params, 0))); return S_OK;
    case kClaimDevice: SetLong(result, Forward(L"ClaimDevice", {dispatch::Long(LongArg(params, 0))})); return S_OK;
    case kCheckHealth: SetLong(result, Forward(L"CheckHealth", {dispatch::Long(LongArg(params, 0))})); return S_OK;
    case kReleaseDevice: SetLong(result, Forward(L"ReleaseDevice", {})); return S_OK;
    case kClose: SetLong(result, Close()); return S_OK;
    case kDeviceEnabled:
      if (put) {
        Forward(L"SetPropertyNumber", {dispatch::Long(kDeviceEnabledIndex), dispatch::Long(LongArg(params, 0) != 0)});
      } else if (result) {
        VariantInit(result);
        result->vt = VT_BOOL;
        result->boolVal = Number(kDeviceEnabledIndex) ? VARIANT_TRUE : VARIANT_FALSE;
      }
      return S_OK;
    case kNumberProperty20:
      if (put) numberProperty20_ = LongArg(params, 0);
      SetLong(result, numberProperty20_);
      return S_OK;
    case kFlagProperty106:
      if (put) flagProperty106_ = LongArg(params, 0) != 0;
      SetLong(result, flagProperty106_);
      return S_OK;
    case kTextProperty105:
      if (result) *result = dispatch::Text(failure_);
      return S_OK;
    default:
      return CEventSink::Invoke(id, iid, lcid, flags, params, result, exception, argErr);
  }
}

long CControlStandIn::Open(const std::string& deviceName) {
  if (service_) return opos::OPOS_E_ILLEGAL;
  // A name that is no device key may be an LDN the class key maps.
  std::string device = deviceName;
  const CRegistryAccess reg;
  if (!reg.KeyExists(ClassKey(deviceClass_) + "\\" + device)) reg.ReadString(ClassKey(deviceClass_), deviceName, &device);
  std::string progId;
  if (!reg.ReadString(ClassKey(deviceClass_) + "\\" + device, schema::kDefault, &progId) || progId.empty()) {
    failure_ = "no device entry \"" + deviceName + "\"";
    return opos::OPOS_E_NOEXIST;
  }
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(dispatch::Widen(progId).c_str(), &clsid)) ||
      FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch,
                              reinterpret_cast<void**>(&service_)))) {
    service_ = nullptr;
    failure_ = "no Service Object \"" + progId + "\"";
    return opos::OPOS_E_NOSERVICE;
  }
  const long rc = Forward(L"OpenService", {dispatch::Text(deviceClass_), dispatch::Text(device),
                                           dispatch::Object(static_cast<IDispatch*>(this))});
  if (rc != opos::OPOS_SUCCESS) {
    service_->Release();
    service_ = nullptr;
  }
  return rc;
}

long CControlStandIn::Close() {
  if (!service_) return opos::OPOS_E_CLOSED;
  const long rc = Forward(L"Close", {});
  service_->Release();
  service_ = nullptr;
  return rc;
}

long CControlStandIn::Forward(const wchar_t* method, std::vector<VARIANT> args) {
  if (!service_) {
    for (VARIANT& v : args) VariantClear(&v);
    return opos::OPOS_E_CLOSED;
  }
  VARIANT result;
  if (FAILED(dispatch::InvokeByName(service_, method, DISPATCH_METHOD, std::move(args), &result))) {
    failure_ = "the Service Object has no " + dispatch::Narrow(method, wcslen(method));
    return opos::OPOS_E_NOSERVICE;
  }
  // Setters answer nothing; that is success.
  const long rc = result.vt == VT_EMPTY ? 0L : dispatch::LongOf(result, opos::OPOS_E_FAILURE);
  VariantClear(&result);
  if (rc != opos::OPOS_SUCCESS) failure_ = dispatch::Narrow(method, wcslen(method)) + " = " + std::to_string(rc);
  return rc;
}

long CControlStandIn::Number(long index) {
  VARIANT result;
  if (!service_ ||
      FAILED(dispatch::InvokeByName(service_, L"GetPropertyNumber", DISPATCH_METHOD, {dispatch::Long(index)}, &result))) {
    return 0;
  }
  const long value = dispatch::LongOf(result, 0);
  VariantClear(&result);
  return value;
}
