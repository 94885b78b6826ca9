// demo-app: does what a till application does through an OPOS Control
// Object. It creates the printer Service Object by ProgID, opens it with its
// own event sink, claims, enables, prints a sample receipt asynchronously,
// waits for OutputComplete while pumping messages (events arrive on this
// thread), then releases and closes.
//
//   demo-app.exe <device name> [receipt text file]
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tools/com/event_sink.h"

namespace {

const wchar_t kProgId[] = L"Tavo.POSPrinter.ServiceObject.1.9";

std::wstring Widen(const std::string& text) {
  if (text.empty()) return {};
  int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
  return out;
}

// Calls a method by name with arguments in natural order; returns its VT_I4
// result, or -1 when the call itself failed.
long CallByName(IDispatch* object, const wchar_t* name, std::vector<VARIANT> args) {
  DISPID id = 0;
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  if (FAILED(object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id))) {
    std::printf("  %ls: no such method\n", name);
    return -1;
  }
  std::vector<VARIANT> reversed(args.rbegin(), args.rend());
  DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()), 0};
  VARIANT result;
  VariantInit(&result);
  HRESULT hr = object->Invoke(id, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, &result, nullptr, nullptr);
  for (VARIANT& v : args) VariantClear(&v);
  if (FAILED(hr)) {
    std::printf("  %ls: Invoke failed 0x%08lx\n", name, static_cast<unsigned long>(hr));
    return -1;
  }
  long value = (result.vt == VT_I4) ? result.lVal : 0;
  VariantClear(&result);
  return value;
}

VARIANT Long(long v) {
  VARIANT var;
  VariantInit(&var);
  var.vt = VT_I4;
  var.lVal = v;
  return var;
}

VARIANT Text(const std::string& s) {
  VARIANT var;
  VariantInit(&var);
  var.vt = VT_BSTR;
  std::wstring w = Widen(s);
  var.bstrVal = SysAllocStringLen(w.data(), static_cast<UINT>(w.size()));
  return var;
}

VARIANT Dispatch(IDispatch* d) {
  VARIANT var;
  VariantInit(&var);
  var.vt = VT_DISPATCH;
  var.pdispVal = d;
  d->AddRef();
  return var;
}

// Pumps messages until the sink has seen an OutputComplete for outputId or
// the time runs out.
bool WaitForOutput(CEventSink& sink, long outputId, DWORD limitMs) {
  DWORD start = GetTickCount();
  while (!sink.HasOutputComplete(outputId)) {
    if (GetTickCount() - start > limitMs) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessage(&msg);
    }
  }
  return true;
}

std::string ReadFile(const char* path) {
  std::string data;
  FILE* f = std::fopen(path, "rb");
  if (!f) return data;
  char buffer[4096];
  size_t n;
  while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) data.append(buffer, n);
  std::fclose(f);
  return data;
}

std::string SampleReceipt() {
  const std::string esc = "\x1b|";
  std::string r;
  r += esc + "cA" + esc + "4C" + esc + "bC" + "TAVO CORNER SHOP\n";
  r += esc + "N" + esc + "cA" + "12 Harbour Street\n";
  r += esc + "cA" + "Tel 0123 456 789\n\n" + esc + "N";  // alignment holds until reset
  r += "Bread, wholemeal            2.40\n";
  r += "Milk 1 l                    1.15\n";
  r += "Coffee beans 250 g          6.90\n";
  r += "Apples 1 kg                 2.75\n";
  r += "Olive oil 500 ml            5.60\n";
  r += "----------------------------------\n";
  r += esc + "bC" + esc + "2C" + "TOTAL      18.80\n";
  r += esc + "N" + "Cash                       20.00\n";
  r += "Change                      1.20\n\n";
  r += esc + "cA" + "Thank you for shopping with us!\n";
  r += esc + "3lF" + esc + "fP";
  return r;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: demo-app <device name> [receipt file]\n");
    return 2;
  }
  const std::string device = argv[1];
  const std::string receipt = argc > 2 ? ReadFile(argv[2]) : SampleReceipt();

  if (FAILED(OleInitialize(nullptr))) return 1;
  int exitCode = 1;
  CLSID clsid;
  IDispatch* so = nullptr;
  if (FAILED(CLSIDFromProgID(kProgId, &clsid)) ||
      FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&so)))) {
    std::printf("cannot create %ls: is ptrservice.dll registered?\n", kProgId);
    OleUninitialize();
    return 1;
  }
  std::printf("created %ls\n", kProgId);

  CEventSink* sink = new CEventSink();
  long rc = CallByName(so, L"OpenService", {Text("POSPrinter"), Text(device), Dispatch(sink)});
  std::printf("OpenService(\"%s\") = %ld\n", device.c_str(), rc);
  if (rc == 0) {
    rc = CallByName(so, L"ClaimDevice", {Long(1000)});
    std::printf("ClaimDevice = %ld\n", rc);
    if (rc == 0) {
      CallByName(so, L"SetPropertyNumber", {Long(3), Long(1)});  // DeviceEnabled
      std::printf("DeviceEnabled = %ld\n", CallByName(so, L"GetPropertyNumber", {Long(3)}));
      CallByName(so, L"SetPropertyNumber", {Long(8001), Long(1)});  // AsyncMode
      rc = CallByName(so, L"PrintNormal", {Long(2), Text(receipt)});
      long outputId = CallByName(so, L"GetPropertyNumber", {Long(5)});
      std::printf("PrintNormal (asynchronous) = %ld, OutputID %ld\n", rc, outputId);
      if (rc == 0 && WaitForOutput(*sink, outputId, 20000)) {
        exitCode = 0;
      } else {
        std::printf("no OutputComplete for OutputID %ld\n", outputId);
      }
      CallByName(so, L"SetPropertyNumber", {Long(3), Long(0)});
      std::printf("ReleaseDevice = %ld\n", CallByName(so, L"ReleaseDevice", {}));
    }
    std::printf("Close = %ld\n", CallByName(so, L"Close", {}));
  }
  std::printf("events received:\n");
  for (const std::string& line : sink->Log()) std::printf("  %s\n", line.c_str());
  so->Release();
  sink->Release();
  OleUninitialize();
  return exitCode;
}
