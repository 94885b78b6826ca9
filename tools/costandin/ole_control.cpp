#include "tools/costandin/ole_control.h"

namespace {

template <typename T>
HRESULT None(T** out, HRESULT hr) {
  if (!out) return E_POINTER;
  *out = nullptr;
  return hr;
}

}  // namespace

COleControlSide::~COleControlSide() {
  if (site_) site_->Release();
}

// The host breaks the cycle on its side by handing back null.
STDMETHODIMP COleControlSide::SetClientSite(IOleClientSite* site) {
  if (site) site->AddRef();
  if (site_) site_->Release();
  site_ = site;
  return S_OK;
}

STDMETHODIMP COleControlSide::GetClientSite(IOleClientSite** site) {
  if (!site) return E_POINTER;
  *site = site_;
  if (site_) site_->AddRef();
  return S_OK;
}

STDMETHODIMP COleControlSide::GetMoniker(DWORD, DWORD, IMoniker** moniker) { return None(moniker, E_NOTIMPL); }
STDMETHODIMP COleControlSide::GetClipboardData(DWORD, IDataObject** data) { return None(data, E_NOTIMPL); }
STDMETHODIMP COleControlSide::EnumVerbs(IEnumOLEVERB** verbs) { return None(verbs, OLEOBJ_E_NOVERBS); }
STDMETHODIMP COleControlSide::GetUserType(DWORD, LPOLESTR* type) { return None(type, OLE_S_USEREG); }
STDMETHODIMP COleControlSide::Advise(IAdviseSink*, DWORD* connection) {
  if (connection) *connection = 0;
  return OLE_E_ADVISENOTSUPPORTED;
}
STDMETHODIMP COleControlSide::EnumAdvise(IEnumSTATDATA** advise) { return None(advise, OLE_E_ADVISENOTSUPPORTED); }

STDMETHODIMP COleControlSide::SetExtent(DWORD aspect, SIZEL* size) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!size) return E_POINTER;
  extent_ = *size;
  return S_OK;
}

STDMETHODIMP COleControlSide::GetExtent(DWORD aspect, SIZEL* size) {
  if (aspect != DVASPECT_CONTENT) return DV_E_DVASPECT;
  if (!size) return E_POINTER;
  *size = extent_;
  return S_OK;
}

STDMETHODIMP COleControlSide::GetMiscStatus(DWORD, DWORD* status) {
  if (!status) return E_POINTER;
  *status = OLEMISC_INVISIBLEATRUNTIME | OLEMISC_SETCLIENTSITEFIRST;
  return S_OK;
}
