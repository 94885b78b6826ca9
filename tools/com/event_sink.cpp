#include "tools/com/event_sink.h"

#include <algorithm>
#include <cstdio>

namespace {

enum : DISPID { kDirectIO = 1, kError, kOutputComplete, kStatusUpdate };

struct EventName {
  const wchar_t* name;
  DISPID id;
};

constexpr EventName kEvents[] = {
    {L"SODirectIO", kDirectIO},
    {L"SOError", kError},
    {L"SOOutputComplete", kOutputComplete},
    {L"SOStatusUpdate", kStatusUpdate},
};

// Argument i in natural order (DISPPARAMS holds them reversed).
long LongArg(const DISPPARAMS* p, UINT i) {
  const VARIANT& v = p->rgvarg[p->cArgs - 1 - i];
  if (v.vt == VT_I4) return v.lVal;
  if (v.vt == (VT_I4 | VT_BYREF) && v.plVal) return *v.plVal;
  return 0;
}

}  // namespace

bool CEventSink::HasOutputComplete(long outputId) const {
  return std::find(completed_.begin(), completed_.end(), outputId) != completed_.end();
}

STDMETHODIMP CEventSink::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CEventSink::Release() {
  ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP CEventSink::GetTypeInfoCount(UINT* count) {
  if (count) *count = 0;
  return S_OK;
}

STDMETHODIMP CEventSink::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP CEventSink::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids || count != 1) return E_INVALIDARG;
  for (const EventName& e : kEvents) {
    if (lstrcmpiW(e.name, names[0]) == 0) {
      ids[0] = e.id;
      return S_OK;
    }
  }
  ids[0] = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

STDMETHODIMP CEventSink::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) {
  if (!params) return E_INVALIDARG;
  char line[160];
  switch (id) {
    case kOutputComplete:
      if (params->cArgs < 1) return DISP_E_BADPARAMCOUNT;
      completed_.push_back(LongArg(params, 0));
      std::snprintf(line, sizeof line, "OutputCompleteEvent OutputID=%ld", LongArg(params, 0));
      break;
    case kStatusUpdate:
      if (params->cArgs < 1) return DISP_E_BADPARAMCOUNT;
      std::snprintf(line, sizeof line, "StatusUpdateEvent Status=%ld", LongArg(params, 0));
      break;
    case kError: {
      if (params->cArgs < 4) return DISP_E_BADPARAMCOUNT;
      std::snprintf(line, sizeof line, "ErrorEvent ResultCode=%ld Extended=%ld Locus=%ld -> clear", LongArg(params, 0),
                    LongArg(params, 1), LongArg(params, 2));
      VARIANT& response = params->rgvarg[0];
      if (response.vt == (VT_I4 | VT_BYREF) && response.plVal) *response.plVal = 12;  // OPOS_ER_CLEAR
      break;
    }
    case kDirectIO:
      if (params->cArgs < 1) return DISP_E_BADPARAMCOUNT;
      std::snprintf(line, sizeof line, "DirectIOEvent EventNumber=%ld", LongArg(params, 0));
      break;
    default:
      return DISP_E_MEMBERNOTFOUND;
  }
  log_.push_back(line);
  return S_OK;
}
