// The Service Objects' port object bound to this library at run time, by
// path, against a network printer on a local TCP server: what the monitor
// thread sees through GetASBState and IsPowerState.
#include <gtest/gtest.h>

#include <algorithm>

#include "api_helpers.h"
#include "fake_transport.h"
#include "os/loopback_server.h"
#include "service/port/port_manager.h"
#include "tests/support/fake_port_users.h"

using namespace portmgr_test;

namespace {

const std::string kAutoStatusOn = Bytes({0x1D, 0x61, 0x0F});

bool Has(const std::vector<int32_t>& v, int32_t value) { return std::find(v.begin(), v.end(), value) != v.end(); }

class BindingTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server.Listening());
    ASSERT_TRUE(port.BindPath(PORTMGR_LIBRARY));
    port.SetPortName("127.0.0.1");
    port.SetHandle(port.Library().CreatePort("Printer1", "127.0.0.1", 1));
    ASSERT_NE(port.Handle(), 0);
    port.SetPrinterUser(&printer);
    port.SetDrawerUser(&drawer);
    ASSERT_TRUE(port.Open(1, SettingsFor("127.0.0.1", server.Port())));
    ASSERT_TRUE(server.Accept(3000));
  }
  void TearDown() override {
    port.Close(1);
    port.SetPrinterUser(nullptr);
    port.SetDrawerUser(nullptr);
    port.Library().DeletePort(1, port.Handle());
    port.Unbind();
  }

  CLoopbackServer server;
  CPortManager port;
  FakePrinterUser printer{1};
  FakeDrawerUser drawer;
};

}  // namespace

TEST_F(BindingTest, FirstPollSeesThePrinterOnLineAndTurnsStatusBackOn) {
  EXPECT_EQ(server.Receive(kAutoStatusOn.size(), 3000), kAutoStatusOn);
  EXPECT_TRUE(Eventually([&] { return Has(printer.PowerStates(), PORTMGR_POWER_ONLINE); }, 3000));
  const std::string job = "\x1b@hello\n";
  EXPECT_EQ(port.Write(job.data(), int32_t(job.size())), int32_t(job.size()));
}

TEST_F(BindingTest, StatusBlocksReachTheRightUsers) {
  server.Receive(kAutoStatusOn.size(), 3000);
  // Drawer open + cover open, then an ink block, then paper end.
  server.Send(Bytes({0x34, 0x00, 0x00, 0x00, 0x35, 0x04, 0x00, 0x00, 0x10, 0x00, 0x0C, 0x00}));
  ASSERT_TRUE(Eventually([&] { return printer.PrinterStatuses().size() >= 2; }, 3000));
  EXPECT_EQ(printer.PrinterStatuses()[0], (FakePrinterUser::Status{0x34, 0, 0, 0}));
  EXPECT_EQ(printer.PrinterStatuses()[1], (FakePrinterUser::Status{0x10, 0, 0x0C, 0}));
  ASSERT_EQ(printer.CartridgeStatuses().size(), 1u);
  EXPECT_EQ(printer.CartridgeStatuses()[0][1], 0x04);
  const std::vector<int32_t> drawerSaw = drawer.Statuses();
  EXPECT_TRUE(Has(drawerSaw, 0x34));
  EXPECT_TRUE(Has(drawerSaw, 0x0C0010));
  EXPECT_FALSE(Has(drawerSaw, 0x0435));  // the ink block is the printer's alone
}

TEST_F(BindingTest, ReplyToAStatusRequestIsRead) {
  server.Receive(kAutoStatusOn.size(), 3000);
  port.Clear();
  const std::string request = Bytes({0x10, 0x04, 0x03});
  ASSERT_EQ(port.Write(request.data(), 3), 3);
  EXPECT_EQ(server.Receive(3, 2000), request);
  server.Send(Bytes({0x12}));
  char reply = 0;
  EXPECT_EQ(port.Read(&reply, 1, 1000), 1);
  EXPECT_EQ(reply, 0x12);
}

TEST_F(BindingTest, DroppedLinkIsReportedOffLineThenOnLineAgain) {
  server.Receive(kAutoStatusOn.size(), 3000);
  ASSERT_TRUE(Eventually([&] { return Has(printer.PowerStates(), PORTMGR_POWER_ONLINE); }, 3000));
  server.DropClient();
  EXPECT_TRUE(Eventually([&] { return Has(printer.PowerStates(), PORTMGR_POWER_OFFLINE); }, 3000));
  EXPECT_TRUE(Eventually([&] { return Has(drawer.Statuses(), 8); }, 3000));
  ASSERT_TRUE(server.Accept(5000));
  // Back on line: status back is switched on again on the new connection.
  EXPECT_EQ(server.Receive(kAutoStatusOn.size(), 3000), kAutoStatusOn);
  EXPECT_TRUE(Eventually([&] { return printer.PowerStates().back() == PORTMGR_POWER_ONLINE; }, 3000));
}
