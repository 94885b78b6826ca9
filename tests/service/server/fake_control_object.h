// A Control Object's event side for tests: answers the four event names,
// records every call with the argument types it arrived with, and answers
// through by-reference arguments the way an application would.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <string>
#include <vector>

struct EventCall {
  std::wstring name;
  std::vector<VARTYPE> types;  // declaration order
  std::vector<long> numbers;   // VT_I4 values, by-reference ones read through
  std::wstring text;           // the by-reference string, when one came
};

class CFakeControlObject : public IDispatch {
 public:
  CFakeControlObject() = default;
  virtual ~CFakeControlObject() = default;

  ULONG RefCount() const { return refs_; }
  const std::vector<EventCall>& Calls() const { return calls_; }

  // Answers written back through by-reference arguments.
  long errorResponse = 12;     // SOError
  long directIoData = 0;       // SODirectIO data, added to what came
  std::wstring directIoText;   // SODirectIO string, replaces what came
  HRESULT invokeResult = S_OK; // what Invoke returns (after recording)

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return ++refs_; }
  STDMETHODIMP_(ULONG) Release() override;
  STDMETHODIMP GetTypeInfoCount(UINT* count) override;
  STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** info) override;
  STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* names, UINT count, LCID, DISPID* ids) override;
  STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO*,
                      UINT* argErr) override;

 private:
  ULONG refs_ = 1;
  std::vector<EventCall> calls_;
};
