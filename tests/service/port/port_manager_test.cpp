// CPortManager over the scripted library: opening and closing for two
// users, the guards on Write and Read, and the port lock.
#include "service/port/port_manager.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "tests/support/fake_portmgr.h"

namespace {

class PortManager : public ::testing::Test {
 protected:
  void SetUp() override {
    fake.Reset();
    ASSERT_TRUE(port.BindTable(fake.Table()));
    port.SetHandle(7);
    port.SetPortName("COM1");
  }

  PortSettings Settings() {
    PortSettings s{};
    s.portName = "COM1";
    s.baudRate = 38400;
    s.option[2] = 50;
    s.outputBuffer = 512;
    return s;
  }

  FakePortMgr& fake = FakePortMgr::Get();
  CPortManager port;
};

TEST_F(PortManager, OnlyFirstOpenAndLastCloseReachTheLibrary) {
  ASSERT_TRUE(port.Open(PORT_USER_PRINTER, Settings()));
  ASSERT_TRUE(port.Open(PORT_USER_DRAWER, Settings()));
  EXPECT_EQ(fake.Count("SetDeviceOption"), 1);
  EXPECT_EQ(fake.Count("OpenPort"), 1);
  EXPECT_EQ(fake.LastSettings().baudRate, 38400);
  EXPECT_EQ(fake.LastSettings().option[2], 50);
  EXPECT_EQ(fake.LastSettingsPortName(), "COM1");
  EXPECT_TRUE(port.MonitorRunning());

  port.Close(PORT_USER_PRINTER);
  EXPECT_EQ(fake.Count("ClosePort"), 0);
  EXPECT_TRUE(port.MonitorRunning());
  port.Close(PORT_USER_PRINTER);  // not open for the printer any more: nothing
  port.Close(PORT_USER_DRAWER);
  EXPECT_EQ(fake.Count("ClosePort"), 1);
  EXPECT_FALSE(port.MonitorRunning());
  EXPECT_EQ(port.OpenMask(), 0);
  for (const auto& call : fake.Calls()) EXPECT_EQ(call.handle, 7) << call.name;
}

TEST_F(PortManager, FailedSetupLeavesThePortClosed) {
  fake.SetDeviceOptionResult(0);
  EXPECT_FALSE(port.Open(PORT_USER_PRINTER, Settings()));
  EXPECT_EQ(fake.Count("OpenPort"), 0);
  EXPECT_EQ(port.OpenMask(), 0);

  fake.SetDeviceOptionResult(1);
  fake.SetOpenPortResult(0);
  EXPECT_FALSE(port.Open(PORT_USER_PRINTER, Settings()));
  EXPECT_EQ(port.OpenMask(), 0);
  EXPECT_FALSE(port.MonitorRunning());
  EXPECT_EQ(port.Write("x", 1), 0);

  fake.SetOpenPortResult(1);
  EXPECT_TRUE(port.Open(PORT_USER_PRINTER, Settings()));
  EXPECT_FALSE(port.Open(0, Settings()));
}

TEST_F(PortManager, WriteAndReadNeedAnOpenPortAndSaneArguments) {
  char buffer[8] = {};
  EXPECT_EQ(port.Write("abc", 3), 0);
  EXPECT_EQ(port.Read(buffer, 8, 100), 0);
  EXPECT_EQ(fake.Count("Write"), 0);
  EXPECT_EQ(fake.Count("Read"), 0);

  ASSERT_TRUE(port.Open(PORT_USER_PRINTER, Settings()));
  EXPECT_EQ(port.Write(nullptr, 3), 0);
  EXPECT_EQ(port.Write("abc", 0), 0);
  EXPECT_EQ(port.Write("abc", -1), 0);
  EXPECT_EQ(port.Read(nullptr, 8, 0), 0);
  EXPECT_EQ(port.Read(buffer, 0, 0), 0);

  fake.PushReadData("\x12\x34");
  EXPECT_EQ(port.Read(buffer, 8, 100), 2);
  EXPECT_EQ(buffer[0], 0x12);
  fake.SetWriteLimit(2);
  EXPECT_EQ(port.Write("abcd", 4), 2);  // short: the caller sees it
  fake.SetWriteLimit(-1);
  EXPECT_EQ(port.Write("abcd", 4), 4);
  port.Clear();
  EXPECT_EQ(fake.Count("Clear"), 1);
}

TEST_F(PortManager, UnbindStopsAndNullsEverything) {
  ASSERT_TRUE(port.Open(PORT_USER_PRINTER, Settings()));
  port.Unbind();
  EXPECT_EQ(fake.Count("ClosePort"), 1);
  EXPECT_FALSE(port.MonitorRunning());
  EXPECT_FALSE(port.Library().Complete());
  EXPECT_EQ(port.Library().Write, nullptr);
  EXPECT_FALSE(port.Open(PORT_USER_PRINTER, Settings()));

  PortLibrary partial = fake.Table();
  partial.Read = nullptr;
  EXPECT_FALSE(port.BindTable(partial));
  EXPECT_EQ(port.Library().Write, nullptr);
}

TEST(PortLock, ExclusiveTimedAndRecursive) {
  CPortManager port;
  ASSERT_TRUE(port.Lock(0));
  ASSERT_TRUE(port.Lock(0));  // the owner may take it again
  std::atomic<int> other{-1};
  std::thread([&] { other = port.Lock(0) ? 1 : 0; }).join();
  EXPECT_EQ(other, 0);
  const auto start = std::chrono::steady_clock::now();
  std::thread([&] { other = port.Lock(60) ? 1 : 0; }).join();
  EXPECT_EQ(other, 0);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));

  // A stray Unlock from another thread does not release the owner's hold.
  std::thread([&] { port.Unlock(); }).join();
  std::thread([&] { other = port.Lock(0) ? 1 : 0; }).join();
  EXPECT_EQ(other, 0);

  port.Unlock();
  port.Unlock();
  std::thread([&] {
    other = port.Lock(0) ? 1 : 0;
    port.Unlock();
  }).join();
  EXPECT_EQ(other, 1);
}

TEST(PortLock, UnlimitedWaitEndsWhenReleased) {
  CPortManager port;
  ASSERT_TRUE(port.Lock(-1));
  std::atomic<bool> taken{false};
  std::thread waiter([&] {
    taken = port.Lock(-1);
    port.Unlock();
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_FALSE(taken);
  port.Unlock();
  waiter.join();
  EXPECT_TRUE(taken);
}

}  // namespace
