// The class factory of one server class. Factories are static objects that
// live as long as the module; a reference to one holds a module lock, so the
// module is not unloaded under a client that keeps a factory.
#pragma once

#include <windows.h>
#include <unknwn.h>

namespace server {

// Makes a new object of the class with one reference (the caller's), or
// returns nullptr when memory runs out.
using CreateFunction = IUnknown* (*)();

class CClassFactory : public IClassFactory {
 public:
  explicit constexpr CClassFactory(CreateFunction create) : create_(create) {}

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override;
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override;
  STDMETHODIMP LockServer(BOOL lock) override;

 private:
  CreateFunction create_;
};

}  // namespace server
