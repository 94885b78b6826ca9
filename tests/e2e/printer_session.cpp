#include "printer_session.h"

#include <gtest/gtest.h>
#include <oleauto.h>

#include "platform/com/win32/dispatch_call.h"

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
  VARIANT result;
  const HRESULT hr = dispatch::InvokeByName(object_, name, DISPATCH_METHOD, std::move(args), &result);
  const long value = FAILED(hr) ? -1 : result.vt == VT_I4 ? result.lVal : 0;
  VariantClear(&result);
  if (FAILED(hr)) {
    ADD_FAILURE() << "calling " << dispatch::Narrow(name, wcslen(name)) << " failed: 0x" << std::hex
                  << static_cast<unsigned long>(hr);
  }
  return value;
}

long PrinterSession::Number(long index) { return Call(L"GetPropertyNumber", {Long(index)}); }

void PrinterSession::SetNumber(long index, long value) { Call(L"SetPropertyNumber", {Long(index), Long(value)}); }

std::string PrinterSession::Text(long index) {
  VARIANT result;
  std::string text;
  if (SUCCEEDED(dispatch::InvokeByName(object_, L"GetPropertyString", DISPATCH_METHOD, {Long(index)}, &result)) &&
      result.vt == VT_BSTR) {
    text = dispatch::Narrow(result.bstrVal);
  }
  VariantClear(&result);
  return text;
}

long PrinterSession::Open(const std::string& device, IDispatch* controlObject) {
  return Call(L"OpenService", {Bytes("POSPrinter"), Bytes(device), Dispatch(controlObject)});
}

VARIANT PrinterSession::Long(long value) { return dispatch::Long(value); }

VARIANT PrinterSession::Bytes(const std::string& data) { return dispatch::Text(data); }

VARIANT PrinterSession::Dispatch(IDispatch* object) { return dispatch::Object(object); }

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
