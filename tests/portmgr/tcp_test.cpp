// A network printer on a local TCP server: connecting, writing, replies and
// status blocks, a dropped connection and its re-establishment.
#include <gtest/gtest.h>

#include <vector>

#include "api_helpers.h"
#include "fake_transport.h"
#include "os/loopback_server.h"

using namespace portmgr_test;

namespace {

class TcpPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(server.Listening());
    handle = CreatePort("Printer1", "127.0.0.1", 1);
    ASSERT_NE(handle, 0);
    ASSERT_EQ(SetDeviceOption(SettingsFor("127.0.0.1", server.Port()), handle), 1);
  }
  void TearDown() override {
    if (handle != 0) DeletePort(1, handle);
  }
  void Connect() {
    ASSERT_EQ(OpenPort(handle), 1);
    ASSERT_TRUE(server.Accept(3000));
  }
  std::vector<int> StatusFirstBytes(size_t count) {
    std::vector<int> firsts;
    Eventually(
        [&] {
          unsigned char s[4] = {};
          while (GetASBState(s, handle) != 0) firsts.push_back(s[0]);
          return firsts.size() >= count;
        },
        3000);
    return firsts;
  }

  CLoopbackServer server;
  int32_t handle = 0;
};

}  // namespace

TEST_F(TcpPortTest, WritesReachThePrinterInFull) {
  Connect();
  EXPECT_EQ(IsPowerState(handle), PORTMGR_POWER_ONLINE);
  const std::string job = "\x1b@" + std::string(100000, 'L') + "\x1dV\x01";
  EXPECT_EQ(WriteText(job, handle), int32_t(job.size()));
  EXPECT_EQ(server.Receive(job.size(), 5000), job);
}

TEST_F(TcpPortTest, RepliesAndStatusBlocksAreTakenApart) {
  Connect();
  // Cover open, a real-time reply, an ink block, paper end; split badly.
  server.Send(Bytes({0x30, 0x00, 0x00}));
  server.Send(Bytes({0x00, 0x12, 0x35, 0x02}));
  server.Send(Bytes({0x00, 0x00, 0x10, 0x00, 0x0C, 0x00}));
  EXPECT_EQ(ReadText(handle, 2000), Bytes({0x12}));
  EXPECT_EQ(StatusFirstBytes(3), (std::vector<int>{0x30, 0x35, 0x10}));
}

TEST_F(TcpPortTest, ManyStatusBlocksArriveInOrderNoneLost) {
  Connect();
  std::string burst;
  for (int i = 0; i < 200; ++i) burst += Bytes({0x10, i & 0x0F, (i >> 4) & 0x0F, 0x00});
  server.Send(burst);
  std::vector<int> order;
  Eventually(
      [&] {
        unsigned char s[4] = {};
        while (GetASBState(s, handle) != 0) order.push_back(s[1] | (s[2] << 4));
        return order.size() >= 200;
      },
      3000);
  ASSERT_EQ(order.size(), 200u);
  for (int i = 0; i < 200; ++i) EXPECT_EQ(order[size_t(i)], i);
}

TEST_F(TcpPortTest, ClearDropsOldRepliesBeforeARequest) {
  Connect();
  server.Send(Bytes({0x12, 0x16, 0x12}));  // stale answers
  EXPECT_TRUE(Eventually([&] { return GetInputBufferCount(handle) == 3; }, 2000));
  Clear(handle);
  EXPECT_EQ(GetInputBufferCount(handle), 0);
  EXPECT_EQ(WriteText("\x10\x04\x03", handle), 3);
  EXPECT_EQ(server.Receive(3, 2000), "\x10\x04\x03");
  server.Send(Bytes({0x12}));
  EXPECT_EQ(ReadText(handle, 2000, 1), Bytes({0x12}));
}

TEST_F(TcpPortTest, DroppedConnectionIsReestablished) {
  Connect();
  server.DropClient();
  EXPECT_TRUE(Eventually([&] { return IsPowerState(handle) == PORTMGR_POWER_OFFLINE; }, 3000));
  ASSERT_TRUE(server.Accept(5000));  // the library came back by itself
  EXPECT_TRUE(Eventually([&] { return IsPowerState(handle) == PORTMGR_POWER_ONLINE; }, 3000));
  EXPECT_EQ(WriteText("again", handle), 5);
  EXPECT_EQ(server.Receive(5, 2000), "again");
  server.Send(Bytes({0x18, 0x00, 0x00, 0x00}));
  EXPECT_EQ(StatusFirstBytes(1), std::vector<int>{0x18});
}

TEST_F(TcpPortTest, PrinterThatStaysAwayIsOffLineAndWritesFail) {
  Connect();
  server.StopListening();
  server.DropClient();
  EXPECT_TRUE(Eventually([&] { return IsPowerState(handle) == PORTMGR_POWER_OFFLINE; }, 3000));
  EXPECT_EQ(WriteText("lost", handle), 0);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(ClosePort(handle), 1);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
}

TEST_F(TcpPortTest, NobodyListeningFailsToOpen) {
  server.StopListening();
  EXPECT_EQ(OpenPort(handle), 0);
  EXPECT_EQ(IsPowerState(handle), PORTMGR_POWER_OFFLINE);
}
