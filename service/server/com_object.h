// The IUnknown every COM class of the module shares: reference counting,
// QueryInterface over the IIDs the class names, and one module lock for the
// object's whole life (so the module stays loaded while any object lives).
// The count is atomic; the objects themselves are apartment-bound.
#pragma once

#include <windows.h>
#include <unknwn.h>

#include <atomic>

#include "service/server/module.h"

namespace server {

template <class Interface>
class CComObject : public Interface {
 public:
  CComObject() { LockModule(); }
  virtual ~CComObject() { UnlockModule(); }
  CComObject(const CComObject&) = delete;
  CComObject& operator=(const CComObject&) = delete;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || Supports(iid)) {
      *out = static_cast<Interface*>(this);
      this->AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override {
    ULONG left = --refs_;
    if (left == 0) delete this;
    return left;
  }

 protected:
  // The interfaces besides IUnknown that this object answers with itself.
  virtual bool Supports(REFIID iid) const = 0;

 private:
  std::atomic<ULONG> refs_{1};  // born with the creator's reference
};

}  // namespace server
