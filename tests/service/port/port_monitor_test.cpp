// The monitor thread: status routing, power changes and their commands,
// and a cooperative stop.
#include "service/port/port_manager.h"

#include <gtest/gtest.h>

#include <chrono>

#include "tests/support/fake_port_users.h"
#include "tests/support/fake_portmgr.h"

namespace {

const std::string kEnable("\x1D\x61\x0F", 3);
const std::string kInk("\x1D\x6A\xFF", 3);

class PortMonitor : public ::testing::Test {
 protected:
  void SetUp() override {
    fake.Reset();
    ASSERT_TRUE(port.BindTable(fake.Table()));
    port.SetHandle(3);
  }
  void Open(const char* portName) {
    port.SetPortName(portName);
    PortSettings settings{};
    settings.portName = portName;
    ASSERT_TRUE(port.Open(PORT_USER_PRINTER, settings));
  }
  // Enough polls for every scripted value to have been taken.
  bool WaitPolls(int polls) {
    const int base = fake.Count("IsPowerState");
    return fake.WaitFor([&] { return fake.Count("IsPowerState") >= base + polls; });
  }

  FakePortMgr& fake = FakePortMgr::Get();
  CPortManager port;
};

TEST_F(PortMonitor, FirstPollOnLineReenablesStatusBack) {
  FakePrinterUser printer(1);
  port.SetPrinterUser(&printer);
  Open("COM1");
  ASSERT_TRUE(WaitPolls(3));
  port.Close(PORT_USER_PRINTER);
  EXPECT_EQ(fake.Written(), kEnable);   // once: the power value did not change again
  EXPECT_TRUE(printer.PowerStates().empty());  // serial lines report on line elsewhere
}

TEST_F(PortMonitor, InkPrinterOnNetworkPortGetsInkCommandAndOnLine) {
  FakePrinterUser printer(3);
  port.SetPrinterUser(&printer);
  Open("192.168.0.20");
  ASSERT_TRUE(WaitPolls(2));
  port.Close(PORT_USER_PRINTER);
  EXPECT_EQ(fake.Written(), kEnable + kInk);
  EXPECT_EQ(printer.PowerStates(), std::vector<int32_t>{2001});
}

TEST_F(PortMonitor, PowerChangesReachBothUsers) {
  FakePrinterUser printer(1);
  FakeDrawerUser drawer;
  port.SetPrinterUser(&printer);
  port.SetDrawerUser(&drawer);
  fake.PushPower(2001);
  fake.PushPower(2003);
  fake.PushPower(2003);
  fake.PushPower(2001);
  Open("USB001");
  ASSERT_TRUE(WaitPolls(5));
  port.Close(PORT_USER_PRINTER);
  EXPECT_EQ(printer.PowerStates(), (std::vector<int32_t>{2001, 2003, 2001}));
  EXPECT_EQ(drawer.Statuses(), std::vector<int32_t>{8});
  EXPECT_EQ(fake.Written(), kEnable + kEnable);
}

TEST_F(PortMonitor, AnyValueButOnLineCountsAsOffLine) {
  FakePrinterUser printer(1);
  port.SetPrinterUser(&printer);
  fake.PushPower(0);
  fake.PushPower(2004);
  Open("LPT1");
  ASSERT_TRUE(WaitPolls(3));
  port.Close(PORT_USER_PRINTER);
  EXPECT_EQ(printer.PowerStates(), (std::vector<int32_t>{2003, 2003}));
  EXPECT_EQ(fake.Written(), "");
}

TEST_F(PortMonitor, StatusRouting) {
  FakePrinterUser printer(3);
  FakeDrawerUser drawer;
  port.SetPrinterUser(&printer);
  port.SetDrawerUser(&drawer);
  fake.PushStatus({0x35, 0x01, 0x02, 0x00});  // ink status: printer only
  fake.PushStatus({0x14, 0x00, 0x00, 0x0F});
  fake.PushStatus({0x35, 0x00, 0x00, 0x01});  // fourth byte set: ordinary status
  Open("COM1");
  ASSERT_TRUE(fake.WaitFor([&] { return fake.PendingStatuses() == 0; }));
  ASSERT_TRUE(WaitPolls(1));
  port.Close(PORT_USER_PRINTER);

  using S = FakePrinterUser::Status;
  EXPECT_EQ(printer.CartridgeStatuses(), (std::vector<S>{{0x35, 0x01, 0x02, 0x00}}));
  EXPECT_EQ(printer.PrinterStatuses(), (std::vector<S>{{0x14, 0x00, 0x00, 0x0F}, {0x35, 0x00, 0x00, 0x01}}));
  EXPECT_EQ(drawer.Statuses(), (std::vector<int32_t>{0x0F000014, 0x01000035}));
}

TEST_F(PortMonitor, AbsentUsersAreSkipped) {
  fake.PushStatus({0x14, 0, 0, 0});
  fake.PushStatus({0x35, 0, 0, 0});
  fake.PushPower(2003);
  fake.PushPower(2001);
  Open("TcpIp");
  ASSERT_TRUE(WaitPolls(3));
  port.Close(PORT_USER_PRINTER);
  EXPECT_EQ(fake.Written(), kEnable);  // the re-enable needs no user
}

TEST_F(PortMonitor, PollsEveryEightyMilliseconds) {
  Open("COM1");
  const auto start = std::chrono::steady_clock::now();
  ASSERT_TRUE(WaitPolls(4));
  const auto elapsed = std::chrono::steady_clock::now() - start;
  port.Close(PORT_USER_PRINTER);
  EXPECT_GE(elapsed, std::chrono::milliseconds(3 * 80 - 20));
}

TEST_F(PortMonitor, CloseReturnsInTimeWhileTheLibraryHangs) {
  Open("COM1");
  ASSERT_TRUE(WaitPolls(1));
  fake.SetStatusDelayMs(2600);
  ASSERT_TRUE(fake.WaitFor([&] { return fake.Count("GetASBState") >= 1; }));
  std::this_thread::sleep_for(std::chrono::milliseconds(100));  // inside the slow call now
  const auto start = std::chrono::steady_clock::now();
  port.Close(PORT_USER_PRINTER);
  const auto elapsed = std::chrono::steady_clock::now() - start;
  EXPECT_LT(elapsed, std::chrono::milliseconds(2300));
  EXPECT_EQ(fake.Count("ClosePort"), 1);
  fake.SetStatusDelayMs(0);
  // The late thread is joined before the port opens again.
  Open("COM1");
  EXPECT_TRUE(port.MonitorRunning());
  port.Close(PORT_USER_PRINTER);
}

TEST_F(PortMonitor, DetachedUserIsNotCalledAgain) {
  auto printer = std::make_unique<FakePrinterUser>(1);
  port.SetPrinterUser(printer.get());
  Open("COM1");
  for (int i = 0; i < 20; ++i) fake.PushStatus({0x14, 0, 0, 0});
  ASSERT_TRUE(fake.WaitFor([&] { return !printer->PrinterStatuses().empty(); }));
  port.SetPrinterUser(nullptr);
  const size_t seen = printer->PrinterStatuses().size();
  printer.reset();  // the monitor must not touch it any more
  ASSERT_TRUE(WaitPolls(2));
  port.Close(PORT_USER_PRINTER);
  EXPECT_GT(seen, 0u);
}

TEST_F(PortMonitor, RepeatedOpenCloseCycles) {
  FakePrinterUser printer(3);
  FakeDrawerUser drawer;
  port.SetPrinterUser(&printer);
  port.SetDrawerUser(&drawer);
  PortSettings settings{};
  for (int i = 0; i < 15; ++i) {
    fake.PushStatus({0x14, 0, 0, static_cast<uint8_t>(i)});
    ASSERT_TRUE(port.Open(PORT_USER_PRINTER, settings));
    ASSERT_TRUE(port.Open(PORT_USER_DRAWER, settings));
    if (i % 3 == 0) std::this_thread::sleep_for(std::chrono::milliseconds(5));
    port.Write("x", 1);
    port.Close(i % 2 ? PORT_USER_PRINTER : PORT_USER_DRAWER);
    port.Close(PORT_USER_PRINTER | PORT_USER_DRAWER);
    EXPECT_FALSE(port.MonitorRunning());
  }
  EXPECT_EQ(fake.Count("OpenPort"), 15);
  EXPECT_EQ(fake.Count("ClosePort"), 15);
}

}  // namespace
