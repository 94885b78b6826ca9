// costandin.dll: the in-process server of the Control Object stand-ins.
// Registers the three standard Control Object class ids, so it belongs in
// test prefixes only; the package never installs it.
#include <windows.h>
#include <ole2.h>
#include <olectl.h>

#include <new>

#include <string>

#include "platform/com/win32/opos_control_ids.h"
#include "tools/costandin/control_standin.h"

namespace {

struct StandInClass {
  CLSID clsid;
  const char* clsidText;
  const char* deviceClass;
};

constexpr StandInClass kClasses[] = {
    {opos_control::kCashDrawerClass, "{CCB90042-B81E-11D2-AB74-0040054C3719}", "CashDrawer"},
    {opos_control::kPOSPrinterClass, "{CCB90152-B81E-11D2-AB74-0040054C3719}", "POSPrinter"},
    {opos_control::kLineDisplayClass, "{CCB90102-B81E-11D2-AB74-0040054C3719}", "LineDisplay"},
};

HMODULE g_module = nullptr;
LONG g_locks = 0;

class CStandInFactory : public IClassFactory {
 public:
  explicit CStandInFactory(const char* deviceClass) : deviceClass_(deviceClass) {}
  virtual ~CStandInFactory() = default;

  STDMETHODIMP QueryInterface(REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IClassFactory)) {
      *out = static_cast<IClassFactory*>(this);
      AddRef();
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
  STDMETHODIMP_(ULONG) Release() override {
    const LONG left = InterlockedDecrement(&refs_);
    if (left == 0) delete this;
    return static_cast<ULONG>(left);
  }
  STDMETHODIMP CreateInstance(IUnknown* outer, REFIID iid, void** out) override {
    if (!out) return E_POINTER;
    *out = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    auto* object = new (std::nothrow) CControlStandIn(deviceClass_);
    if (!object) return E_OUTOFMEMORY;
    const HRESULT hr = object->QueryInterface(iid, out);
    object->Release();
    return hr;
  }
  STDMETHODIMP LockServer(BOOL lock) override {
    if (lock) {
      InterlockedIncrement(&g_locks);
    } else {
      InterlockedDecrement(&g_locks);
    }
    return S_OK;
  }

 private:
  LONG refs_ = 1;
  const char* deviceClass_;
};

std::string ClsidKey(const StandInClass& c) { return std::string("CLSID\\") + c.clsidText; }

bool SetText(HKEY root, const std::string& path, const char* name, const std::string& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExA(root, path.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LONG rc = RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                                 static_cast<DWORD>(value.size() + 1));
  RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}

}  // namespace

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) g_module = instance;
  return TRUE;
}

extern "C" HRESULT __stdcall DllGetClassObject(REFCLSID clsid, REFIID iid, void** out) {
  if (!out) return E_POINTER;
  *out = nullptr;
  for (const StandInClass& c : kClasses) {
    if (!IsEqualCLSID(clsid, c.clsid)) continue;
    auto* factory = new (std::nothrow) CStandInFactory(c.deviceClass);
    if (!factory) return E_OUTOFMEMORY;
    const HRESULT hr = factory->QueryInterface(iid, out);
    factory->Release();
    return hr;
  }
  return CLASS_E_CLASSNOTAVAILABLE;
}

// The stand-ins keep no count of their objects, so the server stays
// loaded until the process ends.
extern "C" HRESULT __stdcall DllCanUnloadNow() { return S_FALSE; }

extern "C" HRESULT __stdcall DllRegisterServer() {
  char path[MAX_PATH] = {};
  if (!GetModuleFileNameA(g_module, path, MAX_PATH)) return SELFREG_E_CLASS;
  for (const StandInClass& c : kClasses) {
    const std::string key = ClsidKey(c);
    if (!SetText(HKEY_CLASSES_ROOT, key, nullptr, std::string("OPOS ") + c.deviceClass + " Control Object (test stand-in)") ||
        !SetText(HKEY_CLASSES_ROOT, key + "\\InprocServer32", nullptr, path) ||
        !SetText(HKEY_CLASSES_ROOT, key + "\\InprocServer32", "ThreadingModel", "Apartment")) {
      return SELFREG_E_CLASS;
    }
  }
  return S_OK;
}

extern "C" HRESULT __stdcall DllUnregisterServer() {
  for (const StandInClass& c : kClasses) RegDeleteTreeA(HKEY_CLASSES_ROOT, ClsidKey(c).c_str());
  return S_OK;
}
