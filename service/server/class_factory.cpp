#include "service/server/class_factory.h"

#include <new>

#include "service/server/module.h"

namespace server {

STDMETHODIMP CClassFactory::QueryInterface(REFIID iid, void** out) {
  if (!out) return E_POINTER;
  if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
    *out = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  *out = nullptr;
  return E_NOINTERFACE;
}

// Static object: the count lives in the module lock, nothing is deleted.
STDMETHODIMP_(ULONG) CClassFactory::AddRef() {
  LockModule();
  return 2;
}

STDMETHODIMP_(ULONG) CClassFactory::Release() {
  UnlockModule();
  return 1;
}

STDMETHODIMP CClassFactory::CreateInstance(IUnknown* outer, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  if (outer) return CLASS_E_NOAGGREGATION;
  IUnknown* object = nullptr;
  try {
    object = create_();
  } catch (const std::bad_alloc&) {
    return E_OUTOFMEMORY;
  } catch (...) {
    return E_UNEXPECTED;
  }
  if (!object) return E_OUTOFMEMORY;
  HRESULT hr = object->QueryInterface(iid, out);
  object->Release();  // the caller's reference now lives in *out, if any
  return hr;
}

STDMETHODIMP CClassFactory::LockServer(BOOL lock) {
  if (lock) {
    LockModule();
  } else {
    UnlockModule();
  }
  return S_OK;
}

}  // namespace server
