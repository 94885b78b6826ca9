// Base of the Service Objects' COM classes: IUnknown with the module lock
// (CComObject), IDispatch from the class's dispatch table, and type
// information looked up in the registry (the module ships no type library;
// without a registered one GetTypeInfo fails cleanly). T is the derived
// class; Traits gives its table, dispatch-interface IID and library id.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include "common/trace.h"
#include "service/server/com_object.h"
#include "service/server/dispatch_table.h"

namespace server {

HRESULT LoadTypeInfo(REFGUID library, REFIID iid, LCID lcid, ITypeInfo** info);

template <class T>
class CDispatchObject : public CComObject<IDispatch> {
 public:
  STDMETHODIMP GetTypeInfoCount(UINT* count) override {
    if (!count) return E_POINTER;
    *count = 1;
    return S_OK;
  }

  STDMETHODIMP GetTypeInfo(UINT index, LCID lcid, ITypeInfo** info) override {
    if (!info) return E_POINTER;
    *info = nullptr;
    if (index != 0) return DISP_E_BADINDEX;
    return LoadTypeInfo(T::LibraryId(), T::InterfaceId(), lcid, info);
  }

  STDMETHODIMP GetIDsOfNames(REFIID iid, LPOLESTR* names, UINT count, LCID, DISPID* ids) override {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    return T::Table().GetIDsOfNames(names, count, ids);
  }

  // Holds a reference for the call: an event handler inside it may drop
  // the caller's last one. Trace lines of the call name this object.
  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* info, UINT* argErr) override {
    if (!IsEqualIID(iid, IID_NULL)) return DISP_E_UNKNOWNINTERFACE;
    AddRef();
    TraceObjectScope traced(this);
    HRESULT hr = T::Table().Invoke(static_cast<T&>(*this), id, flags, params, result, info, argErr);
    Release();
    return hr;
  }

 protected:
  bool Supports(REFIID iid) const override {
    return IsEqualIID(iid, IID_IDispatch) || IsEqualIID(iid, T::InterfaceId());
  }
};

}  // namespace server
