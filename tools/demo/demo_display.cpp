#include "tools/demo/demo_display.h"

#include <cstdio>
#include <string>

#include "tools/com/event_sink.h"
#include "tools/demo/demo_calls.h"
#include "tools/demo/demo_items.h"

namespace demo {

namespace {

const wchar_t kProgId[] = L"Tavo.LineDisplay.ServiceObject.1.9";
const DWORD kItemMs = 400;  // how long each item stays before the next

// Row 0 the left text, row 1 the right text aligned to the last column.
long ShowPair(IDispatch* display, long columns, const std::string& left, const std::string& right) {
  const std::string top = left.substr(0, static_cast<size_t>(columns));
  const std::string bottom = right.size() < static_cast<size_t>(columns)
                                 ? std::string(static_cast<size_t>(columns) - right.size(), ' ') + right
                                 : right.substr(0, static_cast<size_t>(columns));
  long rc = CallByName(display, L"ClearText", {});
  if (rc == 0) rc = CallByName(display, L"DisplayTextAt", {Long(0), Long(0), Text(top), Long(0)});
  if (rc == 0) rc = CallByName(display, L"DisplayTextAt", {Long(1), Long(0), Text(bottom), Long(0)});
  return rc;
}

long ShowItems(IDispatch* display) {
  const long columns = CallByName(display, L"GetPropertyNumber", {Long(5002)});  // Columns
  long first = 0;
  for (const SaleItem& item : kSaleItems) {
    const long rc = ShowPair(display, columns, item.name, item.price);
    std::printf("display: %s %s = %ld\n", item.name, item.price, rc);
    if (first == 0) first = rc;
    Pump(kItemMs);
  }
  const long rc = ShowPair(display, columns, "TOTAL", kSaleTotal);
  std::printf("display: TOTAL %s = %ld\n", kSaleTotal, rc);
  return first ? first : rc;
}

}  // namespace

bool ShowSale(const std::string& device) {
  IDispatch* display = Create(kProgId);
  if (!display) return false;
  CEventSink* sink = new CEventSink();
  long rc = CallByName(display, L"OpenService", {Text("LineDisplay"), Text(device), Dispatch(sink)});
  std::printf("display OpenService(\"%s\") = %ld\n", device.c_str(), rc);
  bool ok = false;
  if (rc == 0) {
    rc = CallByName(display, L"ClaimDevice", {Long(1000)});
    std::printf("display ClaimDevice = %ld\n", rc);
    if (rc == 0) {
      CallByName(display, L"SetPropertyNumber", {Long(3), Long(1)});  // DeviceEnabled
      ok = CallByName(display, L"GetPropertyNumber", {Long(3)}) == 1 && ShowItems(display) == 0;
      CallByName(display, L"SetPropertyNumber", {Long(3), Long(0)});
      CallByName(display, L"ReleaseDevice", {});
    }
    std::printf("display Close = %ld\n", CallByName(display, L"Close", {}));
  }
  display->Release();
  sink->Release();
  return ok;
}

}  // namespace demo
