#include "event_recorder.h"

#include <sstream>

namespace {

struct Method {
  const wchar_t* name;
  Event::Kind kind;
};

// DISPID = 200 + row.
constexpr Method kMethods[] = {
    {L"SODirectIO", Event::DirectIO},
    {L"SOError", Event::Error},
    {L"SOOutputComplete", Event::OutputComplete},
    {L"SOStatusUpdate", Event::StatusUpdate},
};
constexpr DISPID kFirstId = 200;

}  // namespace

const char* KindName(Event::Kind kind) {
  static const char* const kNames[] = {"DirectIO", "Error", "OutputComplete", "StatusUpdate"};
  return kNames[kind];
}

std::vector<long> CEventRecorder::Values(Event::Kind kind) const {
  std::vector<long> values;
  for (const Event& e : events_) {
    if (e.kind == kind && !e.numbers.empty()) values.push_back(e.numbers[0]);
  }
  return values;
}

std::vector<Event> CEventRecorder::OfKind(Event::Kind kind) const {
  std::vector<Event> found;
  for (const Event& e : events_) {
    if (e.kind == kind) found.push_back(e);
  }
  return found;
}

std::string CEventRecorder::Describe() const {
  std::ostringstream out;
  for (const Event& e : events_) {
    out << KindName(e.kind);
    for (long n : e.numbers) out << ' ' << n;
    out << '\n';
  }
  return out.str();
}

STDMETHODIMP CEventRecorder::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDispatch)) {
    *out = static_cast<IDispatch*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

STDMETHODIMP_(ULONG) CEventRecorder::Release() {
  ULONG left = --refs_;
  if (left == 0) delete this;
  return left;
}

STDMETHODIMP CEventRecorder::GetTypeInfoCount(UINT* count) {
  if (count) *count = 0;
  return S_OK;
}

STDMETHODIMP CEventRecorder::GetTypeInfo(UINT, LCID, ITypeInfo** info) {
  if (info) *info = nullptr;
  return E_NOTIMPL;
}

STDMETHODIMP CEventRecorder::GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) {
  if (!names || !ids || count != 1) return E_INVALIDARG;
  for (DISPID i = 0; i < 4; ++i) {
    if (lstrcmpiW(names[0], kMethods[i].name) == 0) {
      ids[0] = kFirstId + i;
      return S_OK;
    }
  }
  ids[0] = DISPID_UNKNOWN;
  return DISP_E_UNKNOWNNAME;
}

STDMETHODIMP CEventRecorder::Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) {
  if (id < kFirstId || id >= kFirstId + 4) return DISP_E_MEMBERNOTFOUND;
  if (!params) return E_INVALIDARG;
  Event event{kMethods[id - kFirstId].kind, {}};
  for (UINT i = params->cArgs; i-- > 0;) {  // rgvarg holds the last argument first
    const VARIANT& v = params->rgvarg[i];
    if (v.vt == VT_I4) event.numbers.push_back(v.lVal);
    if (v.vt == (VT_BYREF | VT_I4) && v.plVal) event.numbers.push_back(*v.plVal);
  }
  events_.push_back(event);
  if (event.kind == Event::Error && params->cArgs >= 4) {
    VARIANT& response = params->rgvarg[0];
    long answer = onError ? onError(event) : 12;  // OPOS_ER_CLEAR
    if (response.vt == (VT_BYREF | VT_I4) && response.plVal) *response.plVal = answer;
  }
  return S_OK;
}
