// The port table: sharing one port between printer and drawer, and what a
// failed acquire leaves behind.
#include "service/port/port_table.h"

#include <gtest/gtest.h>

#include "tests/support/fake_portmgr.h"

namespace {

class PortTable : public ::testing::Test {
 protected:
  void SetUp() override {
    fake.Reset();
    table = fake.Table();
    SetPortLibraryForTesting(&table);
  }
  void TearDown() override { SetPortLibraryForTesting(nullptr); }

  FakePortMgr& fake = FakePortMgr::Get();
  PortLibrary table;
};

TEST_F(PortTable, PrinterAndDrawerShareOneManager) {
  const int32_t printer = AcquirePort("Printer1", "COM1", PORT_USER_PRINTER);
  const int32_t drawer = AcquirePort("Drawer1", "COM1", PORT_USER_DRAWER);
  ASSERT_NE(printer, 0);
  ASSERT_NE(drawer, 0);
  ASSERT_NE(FindPort(printer), nullptr);
  EXPECT_EQ(FindPort(printer), FindPort(drawer));
  EXPECT_EQ(FindPort(drawer)->userMask, 3);
  EXPECT_EQ(FindPort(drawer)->manager->Handle(), drawer);  // the later handle is the manager's
  EXPECT_EQ(fake.Count("CreatePort"), 2);
  EXPECT_EQ(fake.Calls()[0].text, "Printer1|COM1");
  EXPECT_EQ(fake.Calls()[1].text, "Drawer1|COM1");

  // The first release keeps the entry and hands the manager the other handle.
  EXPECT_TRUE(ReleasePort(PORT_USER_DRAWER, drawer));
  ASSERT_NE(FindPort(printer), nullptr);
  EXPECT_EQ(FindPort(printer)->manager->Handle(), printer);
  EXPECT_EQ(FindPort(drawer), nullptr);
  EXPECT_TRUE(ReleasePort(PORT_USER_PRINTER, printer));
  EXPECT_EQ(FindPort(printer), nullptr);
  ASSERT_EQ(fake.Count("DeletePort"), 2);
  const auto calls = fake.Calls();
  EXPECT_EQ(calls[2].user, PORT_USER_DRAWER);
  EXPECT_EQ(calls[2].handle, drawer);
  EXPECT_EQ(calls[3].user, PORT_USER_PRINTER);
  EXPECT_EQ(calls[3].handle, printer);
}

TEST_F(PortTable, LibraryGivingOneHandlePerPortName) {
  fake.SetHandlePerPortName(true);
  const int32_t printer = AcquirePort("P", "COM2", PORT_USER_PRINTER);
  const int32_t drawer = AcquirePort("D", "COM2", PORT_USER_DRAWER);
  EXPECT_EQ(printer, drawer);
  EXPECT_TRUE(ReleasePort(PORT_USER_PRINTER, printer));
  ASSERT_NE(FindPort(drawer), nullptr);
  EXPECT_EQ(FindPort(drawer)->userMask, PORT_USER_DRAWER);
  EXPECT_TRUE(ReleasePort(PORT_USER_DRAWER, drawer));
  EXPECT_EQ(FindPort(drawer), nullptr);
}

TEST_F(PortTable, SecondAcquireBySameUserFails) {
  const int32_t first = AcquirePort("P", "COM1", PORT_USER_PRINTER);
  ASSERT_NE(first, 0);
  EXPECT_EQ(AcquirePort("P2", "COM1", PORT_USER_PRINTER), 0);
  EXPECT_EQ(fake.Count("CreatePort"), 1);
  // Port names are compared exactly.
  const int32_t other = AcquirePort("P2", "com1", PORT_USER_PRINTER);
  EXPECT_NE(other, 0);
  EXPECT_NE(FindPort(other), FindPort(first));
  EXPECT_TRUE(ReleasePort(PORT_USER_PRINTER, first));
  EXPECT_TRUE(ReleasePort(PORT_USER_PRINTER, other));
}

TEST_F(PortTable, FailedCreatePortLeavesNothingBehind) {
  fake.SetCreatePortResult(0);
  EXPECT_EQ(AcquirePort("P", "COM1", PORT_USER_PRINTER), 0);
  EXPECT_EQ(FindPort(0), nullptr);
  EXPECT_EQ(fake.Count("DeletePort"), 0);

  // The user's bit was not kept: the port can be acquired once the library works.
  fake.Reset();
  const int32_t handle = AcquirePort("P", "COM1", PORT_USER_PRINTER);
  ASSERT_NE(handle, 0);
  EXPECT_EQ(FindPort(handle)->userMask, PORT_USER_PRINTER);
  EXPECT_TRUE(ReleasePort(PORT_USER_PRINTER, handle));
}

TEST_F(PortTable, FailedCreatePortForSecondUserKeepsTheFirst) {
  const int32_t printer = AcquirePort("P", "COM1", PORT_USER_PRINTER);
  ASSERT_NE(printer, 0);
  fake.SetCreatePortResult(0);
  EXPECT_EQ(AcquirePort("D", "COM1", PORT_USER_DRAWER), 0);
  PortEntry* entry = FindPort(printer);
  ASSERT_NE(entry, nullptr);
  EXPECT_EQ(entry->userMask, PORT_USER_PRINTER);
  EXPECT_EQ(entry->manager->Handle(), printer);
  EXPECT_TRUE(entry->manager->Library().Complete());  // still bound
  EXPECT_TRUE(ReleasePort(PORT_USER_PRINTER, printer));
}

TEST_F(PortTable, MissingEntryPointFailsTheAcquire) {
  PortLibrary partial = fake.Table();
  partial.GetInputBufferCount = nullptr;  // bound although never called
  SetPortLibraryForTesting(&partial);
  EXPECT_EQ(AcquirePort("P", "COM1", PORT_USER_PRINTER), 0);
  EXPECT_EQ(fake.Count("CreatePort"), 0);
}

TEST_F(PortTable, ReleaseRefusesUnknownUsersAndHandles) {
  const int32_t printer = AcquirePort("P", "COM1", PORT_USER_PRINTER);
  ASSERT_NE(printer, 0);
  EXPECT_FALSE(ReleasePort(3, printer));
  EXPECT_FALSE(ReleasePort(0, printer));
  EXPECT_FALSE(ReleasePort(PORT_USER_PRINTER, printer + 100));
  EXPECT_FALSE(ReleasePort(PORT_USER_PRINTER, 0));
  // A drawer that never acquired this port cannot take the printer's away.
  EXPECT_FALSE(ReleasePort(PORT_USER_DRAWER, printer));
  ASSERT_NE(FindPort(printer), nullptr);
  EXPECT_EQ(FindPort(printer)->userMask, PORT_USER_PRINTER);
  EXPECT_EQ(fake.Count("DeletePort"), 0);
  EXPECT_EQ(AcquirePort("X", "COM9", 8), 0);
  EXPECT_TRUE(ReleasePort(PORT_USER_PRINTER, printer));
}

TEST_F(PortTable, ALineDisplayIsAThirdUserWithItsOwnHandle) {
  const int32_t display = AcquirePort("D", "COM3", PORT_USER_DISPLAY);
  ASSERT_NE(display, 0);
  EXPECT_EQ(AcquirePort("D2", "COM3", PORT_USER_DISPLAY), 0);  // another display device
  const int32_t printer = AcquirePort("P", "COM3", PORT_USER_PRINTER);
  ASSERT_NE(printer, 0);
  EXPECT_EQ(FindPort(display)->userMask, PORT_USER_DISPLAY | PORT_USER_PRINTER);
  EXPECT_TRUE(ReleasePort(PORT_USER_PRINTER, printer));
  ASSERT_NE(FindPort(display), nullptr);
  EXPECT_EQ(FindPort(display)->manager->Handle(), display);
  EXPECT_TRUE(ReleasePort(PORT_USER_DISPLAY, display));
  EXPECT_EQ(FindPort(display), nullptr);
}

// A network port is an address and a TCP port: the drawer wired to the
// printer shares its connection, a display on another TCP port of the same
// address gets one of its own, also from a library that keys by name.
TEST_F(PortTable, NetworkPortsAreKeyedByAddressAndTcpPort) {
  fake.SetHandlePerPortName(true);
  const int32_t printer = AcquirePort("P", "10.0.0.5", 9100, PORT_USER_PRINTER);
  const int32_t drawer = AcquirePort("D", "10.0.0.5", 9100, PORT_USER_DRAWER);
  const int32_t display = AcquirePort("V", "10.0.0.5", 9101, PORT_USER_DISPLAY);
  ASSERT_NE(printer, 0);
  ASSERT_NE(display, 0);
  EXPECT_EQ(FindPort(printer), FindPort(drawer));
  EXPECT_EQ(FindPort(printer)->userMask, PORT_USER_PRINTER | PORT_USER_DRAWER);
  EXPECT_NE(display, printer);
  ASSERT_NE(FindPort(display), nullptr);
  EXPECT_NE(FindPort(display), FindPort(printer));
  EXPECT_EQ(FindPort(display)->userMask, PORT_USER_DISPLAY);
  EXPECT_EQ(FindPort(display)->tcpPort, 9101);
  const auto calls = fake.Calls();
  ASSERT_EQ(calls.size(), 3u);
  EXPECT_EQ(calls[0].text, "P|10.0.0.5:9100");
  EXPECT_EQ(calls[1].text, "D|10.0.0.5:9100");
  EXPECT_EQ(calls[2].text, "V|10.0.0.5:9101");

  // A second display device on the printer's TCP port is its user 4, but on
  // the printer's connection; one on a third TCP port is free to go.
  EXPECT_EQ(AcquirePort("V2", "10.0.0.5", 9101, PORT_USER_DISPLAY), 0);
  const int32_t other = AcquirePort("V2", "10.0.0.5", 9102, PORT_USER_DISPLAY);
  EXPECT_NE(other, 0);
  EXPECT_TRUE(ReleasePort(PORT_USER_DISPLAY, other));

  EXPECT_TRUE(ReleasePort(PORT_USER_DISPLAY, display));
  EXPECT_EQ(FindPort(display), nullptr);
  ASSERT_NE(FindPort(printer), nullptr);
  EXPECT_EQ(FindPort(printer)->userMask, PORT_USER_PRINTER | PORT_USER_DRAWER);
  EXPECT_TRUE(ReleasePort(PORT_USER_DRAWER, drawer));
  EXPECT_TRUE(ReleasePort(PORT_USER_PRINTER, printer));
  EXPECT_EQ(FindPort(printer), nullptr);
}

// A port name that happens to look like an address is not the network port
// of that address, and the library is asked for it as it is.
TEST_F(PortTable, APortWithoutTcpPortIsNotTheNetworkPortOfItsName) {
  const int32_t path = AcquirePort("P", "10.0.0.5", PORT_USER_PRINTER);
  const int32_t network = AcquirePort("P2", "10.0.0.5", 0, PORT_USER_PRINTER);
  ASSERT_NE(path, 0);
  ASSERT_NE(network, 0);
  EXPECT_NE(FindPort(path), FindPort(network));
  EXPECT_EQ(fake.Calls()[0].text, "P|10.0.0.5");
  EXPECT_EQ(fake.Calls()[1].text, "P2|10.0.0.5:9100");
  EXPECT_TRUE(ReleasePort(PORT_USER_PRINTER, path));
  EXPECT_TRUE(ReleasePort(PORT_USER_PRINTER, network));
}

// An entry without a TCP port means the default one: a drawer whose entry
// leaves it out still shares the printer's connection on 9100.
TEST_F(PortTable, TcpPortZeroIsTheDefaultPort) {
  const int32_t printer = AcquirePort("P", "10.0.0.5", 9100, PORT_USER_PRINTER);
  const int32_t drawer = AcquirePort("D", "10.0.0.5", 0, PORT_USER_DRAWER);
  ASSERT_NE(printer, 0);
  EXPECT_EQ(FindPort(printer), FindPort(drawer));
  EXPECT_EQ(FindPort(printer)->tcpPort, 9100);
  EXPECT_TRUE(ReleasePort(PORT_USER_DRAWER, drawer));
  EXPECT_TRUE(ReleasePort(PORT_USER_PRINTER, printer));
}

TEST_F(PortTable, ReleaseClosesAUserThatLeftThePortOpen) {
  const int32_t printer = AcquirePort("P", "COM1", PORT_USER_PRINTER);
  ASSERT_TRUE(FindPort(printer)->manager->Open(PORT_USER_PRINTER, PortSettings{}));
  EXPECT_TRUE(ReleasePort(PORT_USER_PRINTER, printer));
  EXPECT_EQ(fake.Count("ClosePort"), 1);
  const auto calls = fake.Calls();
  EXPECT_EQ(calls.back().name, "DeletePort");
}

}  // namespace
