#include "fake_control_object.h"

namespace {

const wchar_t* const kEventNames[] = {L"SODirectIO", L"SOError", L"SOOutputComplete", L"SOStatusUpdate"};

}  // namespace

STDMETHODIMP CFakeControlObject::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CFakeControlObject::Release() {
  ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP CFakeControlObject::GetTypeInfoCount(UINT* count) {
  *count = 0;
  return S_OK;
}

STDMETHODIMP CFakeControlObject::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  *info = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP CFakeControlObject::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (count != 1) return E_INVALIDARG;
  for (DISPID i = 0; i < 4; ++i) {
    if (lstrcmpiW(names[0], kEventNames[i]) == 0) {
      ids[0] = 100 + i;
      return S_OK;
    }
  }
  ids[0] = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

STDMETHODIMP CFakeControlObject::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*,
                                        UINT*) {
  if (id < 100 || id > 103) return DISP_E_MEMBERNOTFOUND;
  EventCall call;
  call.name = kEventNames[id - 100];
  for (UINT i = params->cArgs; i-- > 0;) {  // rgvarg holds the last argument first
    VARIANT& v = params->rgvarg[i];
    call.types.push_back(v.vt);
    if (v.vt == VT_I4) call.numbers.push_back(v.lVal);
    if (v.vt == (VT_BYREF | VT_I4)) call.numbers.push_back(*v.plVal);
    if (v.vt == (VT_BYREF | VT_BSTR)) call.text.assign(*v.pbstrVal, SysStringLen(*v.pbstrVal));
  }
  calls_.push_back(call);
  // Answer the way an application does, through the references.
  if (call.name == L"SOError" && params->rgvarg[0].vt == (VT_BYREF | VT_I4)) *params->rgvarg[0].plVal = errorResponse;
  if (call.name == L"SODirectIO" && params->cArgs == 3) {
    if (params->rgvarg[1].vt == (VT_BYREF | VT_I4)) *params->rgvarg[1].plVal += directIoData;
    if (params->rgvarg[0].vt == (VT_BYREF | VT_BSTR) && !directIoText.empty()) {
      SysFreeString(*params->rgvarg[0].pbstrVal);
      *params->rgvarg[0].pbstrVal = SysAllocStringLen(directIoText.data(), static_cast<UINT>(directIoText.size()));
    }
  }
  return invokeResult;
}
