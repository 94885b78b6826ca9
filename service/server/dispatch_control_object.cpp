#include "service/server/dispatch_control_object.h"

#include <new>

#include "service/server/bstr_text.h"

namespace server {
namespace {

VARIANT Long(int32_t value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

VARIANT LongRef(LONG* value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BYREF | VT_I4;
  v.plVal = value;
  return v;
}

VARIANT TextRef(BSTR* value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BYREF | VT_BSTR;
  v.pbstrVal = value;
  return v;
}

// Calls an event method with arguments in rgvarg order (last argument
// first). The result and any exception details are dropped: events count
// as delivered either way. The handler may release this object's owner, so
// the call holds its own reference and touches nothing else afterwards.
void CallEvent(IDispatch* dispatch, int32_t dispid, VARIANT* reversedArgs, UINT count) {
  if (!dispatch) return;
  dispatch->AddRef();
  DISPPARAMS params = {reversedArgs, nullptr, count, 0};
  VARIANT result;
  VariantInit(&result);
  EXCEPINFO info = {};
  UINT argErr = 0;
  HRESULT hr = dispatch->Invoke(dispid, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, &info,
                                &argErr);
  if (hr == DISP_E_EXCEPTION) {
    SysFreeString(info.bstrSource);
    SysFreeString(info.bstrDescription);
    SysFreeString(info.bstrHelpFile);
  }
  VariantClear(&result);
  dispatch->Release();
}

}  // namespace

CDispatchControlObject::CDispatchControlObject(IDispatch* controlObject) : dispatch_(controlObject) {}

bool CDispatchControlObject::LookUp(const char* name, int32_t* dispid) {
  if (!dispatch_ || !name || !dispid) return false;
  BSTR wide = nullptr;
  try {
    wide = BstrFromAnsi(name);
  } catch (const std::bad_alloc&) {
  }
  if (!wide) return false;
  DISPID id = DISPID_UNKNOWN;
  HRESULT hr = dispatch_->GetIDsOfNames(IID_NULL, &wide, 1, LOCALE_USER_DEFAULT, &id);
  SysFreeString(wide);
  if (FAILED(hr) || id == DISPID_UNKNOWN) return false;
  *dispid = id;
  return true;
}

// Copies go through BSTRs both ways; running out of memory drops the event
// (it counts as delivered) rather than throwing into the printer.
void CDispatchControlObject::SODirectIO(int32_t dispid, int32_t eventNumber, int32_t* data, std::string* text) {
  LONG number = data ? *data : 0;
  BSTR string = nullptr;
  try {
    string = text ? BstrFromAnsi(*text) : SysAllocStringLen(L"", 0);
  } catch (const std::bad_alloc&) {
  }
  if (!string) return;
  VARIANT args[] = {TextRef(&string), LongRef(&number), Long(eventNumber)};
  CallEvent(dispatch_, dispid, args, 3);
  // The handler may have replaced the string; whatever is there now is ours.
  if (data) *data = number;
  try {
    if (text) *text = AnsiFromBstr(string);
  } catch (const std::bad_alloc&) {
  }
  SysFreeString(string);
}

void CDispatchControlObject::SOError(int32_t dispid, int32_t resultCode, int32_t resultCodeExtended,
                                     int32_t errorLocus, int32_t* errorResponse) {
  LONG response = errorResponse ? *errorResponse : 0;
  VARIANT args[] = {LongRef(&response), Long(errorLocus), Long(resultCodeExtended), Long(resultCode)};
  CallEvent(dispatch_, dispid, args, 4);
  if (errorResponse) *errorResponse = response;
}

void CDispatchControlObject::SOOutputComplete(int32_t dispid, int32_t outputId) {
  VARIANT args[] = {Long(outputId)};
  CallEvent(dispatch_, dispid, args, 1);
}

void CDispatchControlObject::SOStatusUpdate(int32_t dispid, int32_t status) {
  VARIANT args[] = {Long(status)};
  CallEvent(dispatch_, dispid, args, 1);
}

}  // namespace server
