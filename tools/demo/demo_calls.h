// What every part of the demo till application calls through: a Service
// Object created by ProgID, its methods called by name, and a message pump
// (events arrive on this thread).
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <vector>

#include "platform/com/win32/dispatch_call.h"

namespace demo {

using dispatch::Long;
using dispatch::Text;
inline VARIANT Dispatch(IDispatch* object) { return dispatch::Object(object); }

// The Service Object of this ProgID, or null (with a message).
IDispatch* Create(const wchar_t* progId);

// Calls a method by name with arguments in natural order; returns its
// numeric result, or -1 when the call itself failed.
long CallByName(IDispatch* object, const wchar_t* name, std::vector<VARIANT> args);

// Pumps messages until done() holds or the time runs out.
template <class Done>
bool PumpUntil(Done done, DWORD limitMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
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

// Pumps messages for that long.
inline void Pump(DWORD ms) {
  PumpUntil([] { return false; }, ms);
}

}  // namespace demo
