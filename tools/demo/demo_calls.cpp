#include "tools/demo/demo_calls.h"

#include <cstdio>

namespace demo {

IDispatch* Create(const wchar_t* progId) {
  CLSID clsid;
  IDispatch* so = nullptr;
  if (FAILED(CLSIDFromProgID(progId, &clsid)) ||
      FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&so)))) {
    std::printf("cannot create %ls: is ptrservice.dll registered?\n", progId);
    return nullptr;
  }
  std::printf("created %ls\n", progId);
  return so;
}

long CallByName(IDispatch* object, const wchar_t* name, std::vector<VARIANT> args) {
  VARIANT result;
  const HRESULT hr = dispatch::InvokeByName(object, name, DISPATCH_METHOD, std::move(args), &result);
  if (hr == DISP_E_UNKNOWNNAME) {
    std::printf("  %ls: no such method\n", name);
    return -1;
  }
  if (FAILED(hr)) {
    std::printf("  %ls: Invoke failed 0x%08lx\n", name, static_cast<unsigned long>(hr));
    return -1;
  }
  const long value = dispatch::LongOf(result, 0);
  VariantClear(&result);
  return value;
}

}  // namespace demo
