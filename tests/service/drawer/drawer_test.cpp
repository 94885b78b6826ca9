// The cash drawer: opening on its printer's port, the kick, the drawer and
// power status with its overtaken-event rule, the properties, waiting for
// the drawer to close and the health check.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "drawer_fixture.h"
#include "service/common/device_environment.h"

using namespace drawer_test;
using printer_test::Bytes;

namespace {

std::vector<std::string> StatusEvents(const printer_test::FakeControlObject& co) {
  std::vector<std::string> out;
  for (const std::string& e : co.Events())
    if (e.rfind("StatusUpdate", 0) == 0) out.push_back(e);
  return out;
}

TEST_F(DrawerTest, OpensOnItsPrintersPortAsSecondUser) {
  fake().SetHandlePerPortName(true);
  CPOSPrinter printer;
  CCashDrawer drawer;
  ASSERT_EQ(printer.OpenService("POSPrinter", "Printer1", &co), 0);
  ASSERT_EQ(drawer.OpenService("CashDrawer", "Drawer1", &co), 0);
  EXPECT_EQ(drawer.Port().portName, "COM1");
  EXPECT_EQ(drawer.Port().baudRate, 19200);
  EXPECT_EQ(drawer.GetPropertyNumber(9), 2);
  EXPECT_EQ(drawer.GetPropertyString(1000001), "Not Executed");
  EXPECT_EQ(drawer.GetPropertyString(1000003), "CashDrawer");
  EXPECT_EQ(drawer.GetPropertyNumber(501), 1);
  EXPECT_EQ(co.LookedUp().back(), "SOStatusUpdate");

  // One port object: both users hold the same entry.
  const auto calls = fake().Calls();
  int creates = 0;
  for (const FakePortCall& c : calls) creates += c.name == "CreatePort";
  EXPECT_EQ(creates, 2);

  // A second drawer on the port is refused; after Close it opens again.
  SeedDrawer("Drawer2", "Printer1");
  CCashDrawer second;
  EXPECT_EQ(second.OpenService("CashDrawer", "Drawer2", &co), 111);
  EXPECT_EQ(drawer.Close(), 0);
  EXPECT_EQ(drawer.GetPropertyNumber(9), 1);
  EXPECT_EQ(second.OpenService("CashDrawer", "Drawer2", &co), 0);
}

TEST_F(DrawerTest, OpenServiceFailures) {
  CCashDrawer d;
  EXPECT_EQ(d.OpenService("CashDrawer", "", &co), 106);
  EXPECT_EQ(d.OpenService("CashDrawer", "Missing", &co), 106);
  SeedDrawer("Orphan", "NoSuchPrinter");
  EXPECT_EQ(d.OpenService("CashDrawer", "Orphan", &co), 106);

  // A Control Object without SOStatusUpdate: 104, and the port is given
  // back, so the next open with a complete one succeeds.
  printer_test::FakeControlObject partial;
  partial.missing = {"SOStatusUpdate"};
  EXPECT_EQ(d.OpenService("CashDrawer", "Drawer1", &partial), 104);
  EXPECT_EQ(d.OpenService("CashDrawer", "Drawer1", &co), 0);

  d.Close();
  fake().SetCreatePortResult(0);
  CCashDrawer refused;
  EXPECT_EQ(refused.OpenService("CashDrawer", "Drawer1", &co), 111);
}

TEST_F(DrawerTest, EnableSendsStatusBackAndFailsOnAShortWrite) {
  CCashDrawer d;
  ASSERT_EQ(d.OpenService("CashDrawer", "Drawer1", &co), 0);
  d.SetPropertyNumber(3, 1);
  EXPECT_EQ(d.GetPropertyNumber(6), 103);  // enabling needs the claim
  ASSERT_EQ(d.ClaimDevice(0), 0);
  fake().SetWriteLimit(2);
  d.SetPropertyNumber(3, 1);
  EXPECT_EQ(d.GetPropertyNumber(6), 111);
  EXPECT_EQ(d.GetPropertyNumber(3), 0);
  EXPECT_EQ(d.OpenDrawer(), 105);

  fake().SetWriteLimit(-1);
  d.SetPropertyNumber(3, 1);
  EXPECT_EQ(d.GetPropertyNumber(6), 0);
  EXPECT_EQ(d.GetPropertyNumber(3), 1);
  EXPECT_NE(fake().Written().find(Bytes({0x1D, 0x61, 0x0F})), std::string::npos);

  fake().SetOpenPortResult(0);
  d.SetPropertyNumber(3, 0);
  d.SetPropertyNumber(3, 1);
  EXPECT_EQ(d.GetPropertyNumber(6), 111);
  EXPECT_EQ(d.GetPropertyNumber(3), 0);
}

TEST_F(DrawerTest, KickBytesHalveThePulseTimesAndCapThem) {
  EXPECT_EQ(DrawerKickBytes(0, 200, 200), Bytes({0x1B, 0x70, 0x00, 0x64, 0x64}));
  // Longer settings never give shorter pulses: 400 ms is 200 units, and
  // beyond 510 ms the pulse stays at the longest one byte can carry.
  EXPECT_EQ(DrawerKickBytes(1, 400, 100), Bytes({0x1B, 0x70, 0x01, 0xC8, 0x32}));
  EXPECT_EQ(DrawerKickBytes(1, 600, 5000), Bytes({0x1B, 0x70, 0x01, 0xFF, 0xFF}));
  EXPECT_EQ(DrawerKickBytes(0, -4, 1), Bytes({0x1B, 0x70, 0x00, 0x00, 0x00}));

  CCashDrawer d;
  OpenEnable(d);
  EXPECT_EQ(d.OpenDrawer(), 0);
  const std::string written = fake().Written();
  EXPECT_NE(written.find(Bytes({0x1B, 0x70, 0x00, 0x64, 0x64, 0x1D, 0x61, 0x0F})), std::string::npos);
}

TEST_F(DrawerTest, SenseLineFollowsOpenLevel) {
  SeedDrawerValue("Drawer1", "OpenLevel", "1");
  CCashDrawer high;
  OpenEnable(high);
  high.OnDrawerStatus(0x04);
  EXPECT_TRUE(high.DrawerOpened());
  high.OnDrawerStatus(0x00);
  EXPECT_FALSE(high.DrawerOpened());
  high.Close();

  SeedDrawerValue("Drawer1", "OpenLevel", "0");
  CCashDrawer low;
  OpenEnable(low);
  low.OnDrawerStatus(0x00);
  EXPECT_EQ(low.GetPropertyNumber(1001), 1);
  low.OnDrawerStatus(0x04);
  EXPECT_EQ(low.GetPropertyNumber(1001), 0);
  low.OnDrawerStatus(0x00);
  low.OnDrawerStatus(0x08);  // off line reads as closed
  EXPECT_FALSE(low.DrawerOpened());
}

TEST_F(DrawerTest, OvertakenDrawerEventIsDroppedAndFreezingHoldsEvents) {
  CCashDrawer d;
  OpenEnable(d);
  d.SetPropertyNumber(4, 1);
  std::thread([&] {
    d.OnDrawerStatus(0x00);  // open
    d.OnDrawerStatus(0x04);  // closed
  }).join();
  PumpFor(100);
  EXPECT_TRUE(StatusEvents(co).empty());
  d.SetPropertyNumber(4, 0);
  ASSERT_TRUE(PumpUntil([&] { return !StatusEvents(co).empty(); }));
  PumpFor(100);
  EXPECT_EQ(StatusEvents(co), std::vector<std::string>{"StatusUpdate 0"});

  d.COFreezeEvents(1);
  std::thread([&] { d.OnDrawerStatus(0x00); }).join();
  PumpFor(100);
  EXPECT_EQ(StatusEvents(co).size(), 1u);
  d.COFreezeEvents(0);
  ASSERT_TRUE(PumpUntil([&] { return StatusEvents(co).size() == 2; }));
  EXPECT_EQ(StatusEvents(co).back(), "StatusUpdate 1");
}

TEST_F(DrawerTest, PowerIsReportedOnlyWhenNotifyingAndOnlyOnChanges) {
  CCashDrawer quiet;
  OpenEnable(quiet);
  quiet.OnDrawerStatus(0x04);
  EXPECT_EQ(quiet.GetPropertyNumber(14), 2000);
  quiet.Close();

  CCashDrawer d;
  ASSERT_EQ(d.OpenService("CashDrawer", "Drawer1", &co), 0);
  ASSERT_EQ(d.ClaimDevice(0), 0);
  d.SetPropertyNumber(13, 1);
  d.SetPropertyNumber(3, 1);
  d.SetPropertyNumber(13, 0);  // refused while enabled
  EXPECT_EQ(d.GetPropertyNumber(6), 106);
  EXPECT_EQ(d.GetPropertyNumber(13), 1);

  d.OnDrawerStatus(0x0C);  // off line before any on line: no power event
  EXPECT_EQ(d.GetPropertyNumber(14), 2000);
  d.OnDrawerStatus(0x04);
  EXPECT_EQ(d.GetPropertyNumber(14), 2001);
  d.OnDrawerStatus(0x04);
  ASSERT_TRUE(PumpUntil([&] { return StatusEvents(co).size() == 2; }));
  d.OnDrawerStatus(0x0C);
  EXPECT_EQ(d.GetPropertyNumber(14), 2004);
  ASSERT_TRUE(PumpUntil([&] { return StatusEvents(co).size() == 3; }));
  PumpFor(100);
  EXPECT_EQ(StatusEvents(co),
            (std::vector<std::string>{"StatusUpdate 0", "StatusUpdate 2001", "StatusUpdate 2004"}));
  d.OnDrawerStatus(0x04);
  ASSERT_TRUE(PumpUntil([&] { return StatusEvents(co).size() == 4; }));
  d.SetPropertyNumber(3, 0);
  EXPECT_EQ(d.GetPropertyNumber(14), 2000);

  // Enabled again, the first on-line status is reported anew, also to an
  // application that turned PowerNotify on only after an earlier enable.
  d.SetPropertyNumber(3, 1);
  d.OnDrawerStatus(0x04);
  EXPECT_EQ(d.GetPropertyNumber(14), 2001);
  ASSERT_TRUE(PumpUntil([&] { return StatusEvents(co).size() == 6; }));
  EXPECT_EQ(StatusEvents(co).back(), "StatusUpdate 2001");
  d.Close();
  CCashDrawer late;
  OpenEnable(late);
  late.OnDrawerStatus(0x04);
  late.SetPropertyNumber(3, 0);
  late.SetPropertyNumber(13, 1);
  late.SetPropertyNumber(3, 1);
  late.OnDrawerStatus(0x04);
  EXPECT_EQ(late.GetPropertyNumber(14), 2001);
}

TEST_F(DrawerTest, PropertiesAndRefusedMethods) {
  CCashDrawer d;
  EXPECT_EQ(d.GetPropertyNumber(6), 101);
  EXPECT_EQ(d.GetPropertyNumber(9), 1);
  ASSERT_EQ(d.OpenService("CashDrawer", "Drawer1", &co), 0);
  EXPECT_EQ(d.GetPropertyNumber(1502), 1);
  EXPECT_EQ(d.GetPropertyNumber(1501), 1);
  EXPECT_EQ(d.GetPropertyNumber(2), 0);
  EXPECT_EQ(d.GetPropertyNumber(8), 1009001);
  EXPECT_EQ(d.GetPropertyString(99), "");
  d.SetPropertyNumber(13, 2);
  EXPECT_EQ(d.GetPropertyNumber(6), 106);
  EXPECT_EQ(d.ReleaseDevice(), 106);
  EXPECT_EQ(d.ClaimDevice(0), 0);
  EXPECT_EQ(d.GetPropertyNumber(1), 1);
  EXPECT_EQ(d.ReleaseDevice(), 0);
  int32_t data = 5;
  std::string text = "x";
  EXPECT_EQ(d.DirectIO(1, &data, &text), 106);
  EXPECT_EQ(d.RetrieveStatistics(&text), 103);  // statistics need the claim
  EXPECT_EQ(d.CheckHealth(1), 105);
  EXPECT_EQ(d.WaitForDrawerClose(0, 800, 10, 10), 105);
}

TEST_F(DrawerTest, CheckHealthLevels) {
  CCashDrawer d;
  OpenEnable(d);
  EXPECT_EQ(d.CheckHealth(4), 106);
  EXPECT_EQ(d.CheckHealth(2), 0);
  EXPECT_EQ(d.GetPropertyString(1000001), "CheckHealth: Successful");

  // Interactive: the dialog's presses decide; no press falls back to the
  // internal check.
  int shown = 0;
  d.SetHealthDialog([&](CCashDrawer&) { ++shown; });
  EXPECT_EQ(d.CheckHealth(3), 0);
  EXPECT_EQ(shown, 1);
  d.SetHealthDialog([](CCashDrawer& drawer) { drawer.OpenDrawer(); });
  EXPECT_EQ(d.CheckHealth(3), 0);
  EXPECT_EQ(printer_test::PrinterWrites().back(), Bytes({0x1B, 0x70, 0x00, 0x64, 0x64}));
}

TEST_F(DrawerTest, WaitForDrawerCloseBeepsAfterTheTimeoutUntilClosed) {
  CCashDrawer d;
  OpenEnable(d);
  std::atomic<int> beeps{0};
  d.SetBeeper([&](int32_t frequency, int32_t duration) {
    EXPECT_EQ(frequency, 800);
    EXPECT_EQ(duration, 5);
    if (++beeps == 3) d.OnDrawerStatus(0x04);  // closed during the third beep
  });
  EXPECT_EQ(d.WaitForDrawerClose(0, 800, 5, 5), 0);  // closed: returns at once
  EXPECT_EQ(beeps, 0);

  d.OnDrawerStatus(0x00);
  EXPECT_EQ(d.WaitForDrawerClose(150, 800, 5, 5), 0);
  EXPECT_EQ(beeps, 3);
  // The open and close events reached the application while it waited.
  ASSERT_TRUE(PumpUntil([&] { return StatusEvents(co).size() >= 1; }));
}

// Beeps that take no time, with no delay between them, still wait a
// slice each round instead of spinning until the drawer is closed.
TEST_F(DrawerTest, SilentBeepsWithoutDelayDoNotSpin) {
  CCashDrawer d;
  OpenEnable(d);
  d.OnDrawerStatus(0x00);
  std::atomic<int> beeps{0};
  d.SetBeeper([&](int32_t, int32_t) { ++beeps; });
  const auto start = std::chrono::steady_clock::now();
  std::thread closer([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    d.OnDrawerStatus(0x04);
  });
  EXPECT_EQ(d.WaitForDrawerClose(0, 800, 0, 0), 0);
  closer.join();
  const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  EXPECT_GE(beeps, 1);
  EXPECT_LE(beeps, elapsed.count() / 100 + 2);  // one a 100 ms slice at most
}

TEST_F(DrawerTest, WaitForeverNeverBeepsAndStatusFromTheMonitorEndsIt) {
  CCashDrawer d;
  OpenEnable(d);
  d.OnDrawerStatus(0x00);
  d.SetBeeper([](int32_t, int32_t) { ADD_FAILURE() << "beeped"; });
  fake().PushStatus({0x04, 0, 0, 0});  // the monitor thread reports closed
  EXPECT_EQ(d.WaitForDrawerClose(-1, 800, 5, 5), 0);
  EXPECT_FALSE(d.DrawerOpened());
  // The open may have been overtaken already; the close always arrives.
  ASSERT_TRUE(PumpUntil([&] { return !StatusEvents(co).empty() && StatusEvents(co).back() == "StatusUpdate 0"; }));
}

}  // namespace

namespace {

TEST_F(DrawerTest, PortValuesFollowThePrintersPortKind) {
  SeedString("Printer1", "Port", "USB001:");
  SeedString("Printer1", "UsbDeviceName", "\\\\?\\USB#OLD");
  SeedString("Printer1", "Pid", "0202");
  SetUsbResolverForTesting([](const std::string& stored, const std::string& pid) {
    return stored == "\\\\?\\USB#OLD" && pid == "0202" ? std::string("\\\\?\\USB#VID_1234&PID_0202#NEW") : "";
  });
  CCashDrawer usb;
  EXPECT_EQ(usb.OpenService("CashDrawer", "Drawer1", &co), 0);
  EXPECT_EQ(usb.Port().portName, "\\\\?\\USB#VID_1234&PID_0202#NEW");
  EXPECT_EQ(usb.GetPropertyNumber(501), 1);
  usb.Close();
  SetUsbResolverForTesting([](const std::string&, const std::string&) { return std::string(); });
  EXPECT_EQ(usb.OpenService("CashDrawer", "Drawer1", &co), 106);  // no such printer attached
  SetUsbResolverForTesting(nullptr);

  SeedString("Printer1", "Port", "Ethernet");
  SeedString("Printer1", "TcpIp", "127.0.0.1");
  SeedDword("Printer1", "TcpPort", 9100);
  CCashDrawer network;
  EXPECT_EQ(network.OpenService("CashDrawer", "Drawer1", &co), 0);
  EXPECT_EQ(network.Port().portName, "127.0.0.1");
  EXPECT_EQ(network.Port().baudRate, 9100);
  EXPECT_EQ(network.GetPropertyNumber(501), 0);  // no power reporting over the network
}

}  // namespace
