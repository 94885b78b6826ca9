#include "server_dll.h"

#include <gtest/gtest.h>
#include <ole2.h>

#include "service/server/guids.h"

namespace {

class ComEnvironment : public testing::Environment {
 public:
  void SetUp() override { ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr))); }
  void TearDown() override { OleUninitialize(); }
};

testing::Environment* const g_com = testing::AddGlobalTestEnvironment(new ComEnvironment);

std::wstring BesideProgram(const wchar_t* file) {
  wchar_t buffer[MAX_PATH * 4] = {};
  DWORD n = GetModuleFileNameW(nullptr, buffer, MAX_PATH * 4);
  std::wstring path(buffer, n);
  return path.substr(0, path.find_last_of(L"\\/") + 1) + file;
}

template <class F>
void Bind(HMODULE module, const char* name, F* out) {
  *out = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

}  // namespace

const ServerDll& Server() {
  static const ServerDll dll = [] {
    ServerDll d;
    d.path = BesideProgram(L"ptrservice.dll");
    d.module = LoadLibraryW(d.path.c_str());
    if (d.module) {
      Bind(d.module, "DllGetClassObject", &d.getClassObject);
      Bind(d.module, "DllCanUnloadNow", &d.canUnloadNow);
      Bind(d.module, "DllRegisterServer", &d.registerServer);
      Bind(d.module, "DllUnregisterServer", &d.unregisterServer);
    }
    return d;
  }();
  return dll;
}

IDispatch* CreatePrinter() { return CreateObject(server::CLSID_POSPrinter); }

IDispatch* CreateObject(REFCLSID clsid) {
  const ServerDll& dll = Server();
  if (!dll.getClassObject) return nullptr;
  IClassFactory* factory = nullptr;
  if (FAILED(dll.getClassObject(clsid, IID_IClassFactory, reinterpret_cast<void**>(&factory)))) {
    return nullptr;
  }
  IDispatch* object = nullptr;
  factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&object));
  factory->Release();
  return object;
}

HRESULT CallByName(IDispatch* object, const wchar_t* name, std::vector<VARIANT> args, VARIANT* result,
                   UINT* argErr) {
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  if (SUCCEEDED(hr)) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()),
                         0};
    UINT unused = 0;
    hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, result, nullptr,
                        argErr ? argErr : &unused);
  }
  for (VARIANT& v : args) VariantClear(&v);
  return hr;
}

VARIANT LongArg(long value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

VARIANT RefArg(VARTYPE type, void* p) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BYREF | type;
  v.byref = p;
  return v;
}

VARIANT TextArg(const std::wstring& value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  v.bstrVal = SysAllocStringLen(value.data(), static_cast<UINT>(value.size()));
  return v;
}
