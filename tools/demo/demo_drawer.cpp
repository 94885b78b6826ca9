#include "tools/demo/demo_drawer.h"

#include <cstdio>

#include "tools/com/event_sink.h"
#include "tools/demo/demo_calls.h"

namespace demo {

namespace {
const wchar_t kDrawerProgId[] = L"Tavo.CashDrawer.ServiceObject1.9";
}  // namespace

bool KickDrawer(const std::string& device) {
  IDispatch* drawer = Create(kDrawerProgId);
  if (!drawer) return false;
  CEventSink* sink = new CEventSink();
  bool ok = false;
  long rc = CallByName(drawer, L"OpenService", {Text("CashDrawer"), Text(device), Dispatch(sink)});
  std::printf("drawer OpenService(\"%s\") = %ld\n", device.c_str(), rc);
  if (rc == 0) {
    CallByName(drawer, L"ClaimDevice", {Long(1000)});
    CallByName(drawer, L"SetPropertyNumber", {Long(3), Long(1)});  // DeviceEnabled
    std::printf("drawer DeviceEnabled = %ld\n", CallByName(drawer, L"GetPropertyNumber", {Long(3)}));
    std::printf("OpenDrawer = %ld\n", CallByName(drawer, L"OpenDrawer", {}));
    const auto opened = [&] { return CallByName(drawer, L"GetPropertyNumber", {Long(1001)}) == 1; };
    if (PumpUntil(opened, 5000)) {
      std::printf("drawer is open; WaitForDrawerClose (beeps after 10 s) ...\n");
      rc = CallByName(drawer, L"WaitForDrawerClose", {Long(10000), Long(800), Long(100), Long(900)});
      std::printf("WaitForDrawerClose = %ld, DrawerOpened = %ld\n", rc,
                  CallByName(drawer, L"GetPropertyNumber", {Long(1001)}));
      ok = rc == 0;
      PumpUntil([] { return false; }, 300);  // let the last event arrive
    } else {
      std::printf("the drawer did not report open\n");
    }
    CallByName(drawer, L"SetPropertyNumber", {Long(3), Long(0)});
    CallByName(drawer, L"ReleaseDevice", {});
    std::printf("drawer Close = %ld\n", CallByName(drawer, L"Close", {}));
  }
  std::printf("drawer events received:\n");
  for (const std::string& line : sink->Log()) std::printf("  %s\n", line.c_str());
  drawer->Release();
  sink->Release();
  return ok;
}

}  // namespace demo
