#include "printer_session.h"

#include <gtest/gtest.h>
#include <oleauto.h>

PrinterSession::~PrinterSession() {
  if (object_) object_->Release();
}

bool PrinterSession::Create(HRESULT* hr, const wchar_t* progId) {
  CLSID clsid;
  HRESULT result = CLSIDFromProgID(progId, &clsid);
  if (SUCCEEDED(result)) {
    result = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&object_));
  }
  if (hr) *hr = result;
  return SUCCEEDED(result) && object_;
}

long PrinterSession::Call(const wchar_t* name, std::vector<VARIANT> args) {
  long value = -1;
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  HRESULT hr = object_ ? object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id) : E_POINTER;
  if (SUCCEEDED(hr)) {
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()),
                         0};
    VARIANT result;
    VariantInit(&result);
    UINT argErr = 0;
    hr = object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr, &argErr);
    if (SUCCEEDED(hr)) value = result.vt == VT_I4 ? result.lVal : 0;
    VariantClear(&result);
  }
  for (VARIANT& v : args) VariantClear(&v);
  if (FAILED(hr)) {
    std::string ascii;
    for (const wchar_t* c = name; *c; ++c) ascii += static_cast<char>(*c);
    ADD_FAILURE() << "calling " << ascii << " failed: 0x" << std::hex << static_cast<unsigned long>(hr);
  }
  return value;
}

long PrinterSession::Number(long index) { return Call(L"GetPropertyNumber", {Long(index)}); }

void PrinterSession::SetNumber(long index, long value) { Call(L"SetPropertyNumber", {Long(index), Long(value)}); }

std::string PrinterSession::Text(long index) {
  std::string text;
  DISPID id = DISPID_UNKNOWN;
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"GetPropertyString")};
  if (!object_ || FAILED(object_->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) return text;
  VARIANT arg = Long(index);
  DISPPARAMS params = {&arg, nullptr, 1, 0};
  VARIANT result;
  VariantInit(&result);
  if (SUCCEEDED(object_->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr,
                                nullptr)) &&
      result.vt == VT_BSTR && result.bstrVal) {
    int wide = static_cast<int>(SysStringLen(result.bstrVal));
    int n = WideCharToMultiByte(CP_ACP, 0, result.bstrVal, wide, nullptr, 0, nullptr, nullptr);
    text.resize(static_cast<size_t>(n));
    if (n > 0) WideCharToMultiByte(CP_ACP, 0, result.bstrVal, wide, &text[0], n, nullptr, nullptr);
  }
  VariantClear(&result);
  return text;
}

long PrinterSession::Open(const std::string& device, IDispatch* controlObject) {
  return Call(L"OpenService", {Bytes("POSPrinter"), Bytes(device), Dispatch(controlObject)});
}

VARIANT PrinterSession::Long(long value) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_I4;
  v.lVal = value;
  return v;
}

VARIANT PrinterSession::Bytes(const std::string& data) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BSTR;
  int n = MultiByteToWideChar(CP_ACP, 0, data.data(), static_cast<int>(data.size()), nullptr, 0);
  v.bstrVal = SysAllocStringLen(nullptr, static_cast<UINT>(n));
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, data.data(), static_cast<int>(data.size()), v.bstrVal, n);
  return v;
}

VARIANT PrinterSession::Dispatch(IDispatch* object) {
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_DISPATCH;
  v.pdispVal = object;
  if (object) object->AddRef();
  return v;
}

namespace {

void PumpOnce(DWORD waitMs) {
  MsgWaitForMultipleObjects(0, nullptr, FALSE, waitMs, QS_ALLINPUT);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

}  // namespace

bool PumpUntil(const std::function<bool()>& done, DWORD limitMs) {
  DWORD start = GetTickCount();
  for (;;) {
    if (done()) return true;
    if (GetTickCount() - start > limitMs) return false;
    PumpOnce(20);
  }
}

void PumpFor(DWORD ms) {
  DWORD start = GetTickCount();
  while (GetTickCount() - start < ms) PumpOnce(20);
}
