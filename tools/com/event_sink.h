// A Control Object's event side for the tools: an IDispatch that
// answers the four event methods a Service Object calls and logs them.
// Single-threaded: the Service Object calls it on the thread that opened it.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

class CEventSink : public IDispatch {
 public:
  CEventSink() = default;
  virtual ~CEventSink() = default;

  bool HasOutputComplete(long outputId) const;
  const std::vector<std::string>& Log() const { return log_; }

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override;
  // IDispatch
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                      UINT* argErr) override;

 private:
  ULONG refs_ = 1;
  std::vector<long> completed_;
  std::vector<std::string> log_;
};
