// The printer Service Object as a Control Object sees it: created by ProgID
// through COM, driven by name through IDispatch, with events arriving on
// this thread while it pumps messages.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <functional>
#include <string>
#include <vector>

// Property indices used by the tests.
enum : long {
  PIDX_Claimed = 1,
  PIDX_DeviceEnabled = 3,
  PIDX_FreezeEvents = 4,
  PIDX_OutputID = 5,
  PIDX_ResultCode = 6,
  PIDX_ResultCodeExtended = 7,
  PIDX_State = 9,
  PIDX_PowerNotify = 13,
  PIDX_PowerState = 14,
  PIDXPtr_AsyncMode = 8001,
  PIDXPtr_CoverOpen = 8003,
  PIDXPtr_FlagWhenIdle = 8005,
  PIDXPtr_RecEmpty = 8014,
  PIDXPtr_RecNearEnd = 8021,
  PIDXPtr_ErrorLevel = 8035,
  PIDXPtr_ErrorString = 1008005,
};

constexpr wchar_t kPrinterProgId[] = L"Tavo.POSPrinter.ServiceObject.1.9";
constexpr wchar_t kDrawerProgId[] = L"Tavo.CashDrawer.ServiceObject1.9";

class PrinterSession {
 public:
  PrinterSession() = default;
  ~PrinterSession();
  PrinterSession(const PrinterSession&) = delete;
  PrinterSession& operator=(const PrinterSession&) = delete;

  // CLSIDFromProgID + CoCreateInstance; false with the HRESULT in hr.
  // The cash drawer is driven the same way under its own ProgID.
  bool Create(HRESULT* hr = nullptr, const wchar_t* progId = kPrinterProgId);
  IDispatch* Object() const { return object_; }

  // A method by name, arguments in declaration order; its VT_I4 result,
  // or -1 (and a test failure) when Invoke itself fails.
  long Call(const wchar_t* name, std::vector<VARIANT> args);
  long Number(long index);
  void SetNumber(long index, long value);
  std::string Text(long index);

  long Open(const std::string& device, IDispatch* controlObject);
  long Claim(long timeout = 1000) { return Call(L"ClaimDevice", {Long(timeout)}); }
  long Release() { return Call(L"ReleaseDevice", {}); }
  long Close() { return Call(L"Close", {}); }
  long PrintNormal(const std::string& data) { return Call(L"PrintNormal", {Long(2), Bytes(data)}); }

  static VARIANT Long(long value);
  static VARIANT Bytes(const std::string& data);  // 8-bit text, widened in the ANSI code page
  static VARIANT Dispatch(IDispatch* object);      // adds a reference, which the call drops

 private:
  IDispatch* object_ = nullptr;
};

// Pumps this thread's messages until done() holds or limitMs pass; true
// when it held.
bool PumpUntil(const std::function<bool()>& done, DWORD limitMs = 10000);
// Pumps messages for a while (events that should not come get the chance).
void PumpFor(DWORD ms);
