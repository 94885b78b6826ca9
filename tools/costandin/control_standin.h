// A stand-in for one standard OPOS Control Object, for test machines that
// have none (Linux, Wine, CI). It offers the members devsetup calls, by
// their dispatch ids, and does what a Control Object does for them: Open
// finds the device entry (by device name, or by LDN through the class
// key), creates the Service Object named by the entry's default value and
// calls its OpenService with itself as the event sink; the other members
// forward. Events from the Service Object are answered by CEventSink. Like
// a real Control Object it can be hosted as a control (COleControlSide).
// Apartment-threaded: every call comes on the thread that created it.
#pragma once

#include <string>

#include "tools/com/event_sink.h"
#include "tools/costandin/ole_control.h"

class CControlStandIn : public CEventSink, public COleControlSide {
 public:
  // deviceClass: "POSPrinter", "CashDrawer" or "LineDisplay".
  explicit CControlStandIn(const char* deviceClass) : deviceClass_(deviceClass) {}
  ~CControlStandIn() override;

  // One identity for both sides.
  STDMETHODIMP QueryInterface(REFIID iid, void** out) override;
  STDMETHODIMP_(ULONG) AddRef() override { return CEventSink::AddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return CEventSink::Release(); }

  STDMETHODIMP Invoke(DISPID id, REFIID iid, LCID lcid, WORD flags, DISPPARAMS* params, VARIANT* result,
                      EXCEPINFO* exception, UINT* argErr) override;

 private:
  long Open(const std::string& deviceName);
  long Close();
  long Forward(const wchar_t* method, std::vector<VARIANT> args);
  long Number(long index);

  std::string deviceClass_;
  IDispatch* service_ = nullptr;
  std::string failure_;  // what the last failed call reported
  long numberProperty20_ = 0;
  bool flagProperty106_ = false;
};
