// One port over a scripted link: opening, writing in full, status and reply
// delivery, power state, and re-opening a broken link.
#include "portmgr/core/port.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <thread>

#include "fake_transport.h"

using namespace portmgr;
using namespace portmgr_test;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace {

bool WaitFor(const std::function<bool()>& condition, int ms) {
  const auto until = Clock::now() + milliseconds(ms);
  while (!condition()) {
    if (Clock::now() > until) return false;
    std::this_thread::sleep_for(milliseconds(5));
  }
  return true;
}

long ElapsedMs(Clock::time_point since) {
  return long(std::chrono::duration_cast<milliseconds>(Clock::now() - since).count());
}

class PortTest : public ::testing::Test {
 protected:
  std::shared_ptr<CFakeLink> link = std::make_shared<CFakeLink>();
  CPort port{"NUL", FakeFactory(link)};

  void OpenWith(PortSettings settings = NulSettings()) {
    ASSERT_TRUE(port.Configure(settings));
    ASSERT_TRUE(port.Open());
  }
  int32_t Write(const std::string& s) { return port.Write(reinterpret_cast<const uint8_t*>(s.data()), int32_t(s.size())); }
  std::string ReadReply(int waitMs, int32_t max = 64) {
    uint8_t buf[64];
    const int32_t n = port.Read(buf, max, waitMs);
    return std::string(reinterpret_cast<char*>(buf), size_t(n));
  }
};

}  // namespace

TEST_F(PortTest, OpenNeedsSettingsAndAnOpenableLink) {
  EXPECT_FALSE(port.Open());  // not configured
  PortSettings bad = NulSettings();
  bad.option[2] = -1;
  EXPECT_FALSE(port.Configure(bad));
  ASSERT_TRUE(port.Configure(NulSettings()));
  link->SetOpenable(false);
  EXPECT_FALSE(port.Open());
  EXPECT_FALSE(port.IsOpen());
  EXPECT_EQ(port.PowerState(), PORTMGR_POWER_OFFLINE);
  link->SetOpenable(true);
  EXPECT_TRUE(port.Open());
  EXPECT_TRUE(port.Open());  // already open
  EXPECT_FALSE(port.Configure(NulSettings()));  // settings of an open port stay
  EXPECT_EQ(link->Opens(), 1);
  EXPECT_EQ(port.PowerState(), PORTMGR_POWER_ONLINE);
  port.Close();
  port.Close();
  EXPECT_EQ(link->Closes(), 1);
  EXPECT_EQ(port.PowerState(), PORTMGR_POWER_OFFLINE);
}

TEST_F(PortTest, NothingIsWrittenOrReadWhileClosed) {
  EXPECT_EQ(Write("abc"), 0);
  OpenWith();
  port.Close();
  EXPECT_EQ(Write("abc"), 0);
  EXPECT_EQ(ReadReply(0), "");
  uint8_t status[4];
  EXPECT_FALSE(port.TakeStatus(status));
  EXPECT_EQ(link->Sent(), "");
}

TEST_F(PortTest, WriteLoopsOnPartialSends) {
  OpenWith();
  link->SetSendChunk(3);
  const std::string data(1000, 'x');
  EXPECT_EQ(Write(data), 1000);
  EXPECT_EQ(link->Sent(), data);
  EXPECT_EQ(port.Write(nullptr, 5), 0);
  EXPECT_EQ(Write(""), 0);
  EXPECT_EQ(port.Write(reinterpret_cast<const uint8_t*>("x"), -1), 0);
}

TEST_F(PortTest, ConcurrentWritesDoNotInterleave) {
  OpenWith();
  link->SetSendChunk(7);
  const std::string a(3000, 'a'), b(3000, 'b');
  std::thread ta([&] { EXPECT_EQ(Write(a), 3000); });
  std::thread tb([&] { EXPECT_EQ(Write(b), 3000); });
  ta.join();
  tb.join();
  const std::string sent = link->Sent();
  EXPECT_TRUE(sent == a + b || sent == b + a);
}

TEST_F(PortTest, StalledWriteGivesUpAtItsLimitAndMarksThePrinterOffLine) {
  PortSettings s = NulSettings();
  s.option[3] = 0;
  s.option[4] = 150;  // 150 ms for any write
  OpenWith(s);
  link->SetStalled(true);
  const auto start = Clock::now();
  EXPECT_EQ(Write("abc"), 0);
  EXPECT_GE(ElapsedMs(start), 140);
  EXPECT_LT(ElapsedMs(start), 2000);
  EXPECT_EQ(port.PowerState(), PORTMGR_POWER_OFFLINE);
  // The printer answering brings it back on line ...
  link->SetStalled(false);
  link->Inject(Bytes({0x12}));
  EXPECT_TRUE(WaitFor([&] { return port.PowerState() == PORTMGR_POWER_ONLINE; }, 2000));
  // ... as does a write it takes whole.
  link->SetStalled(true);
  EXPECT_EQ(Write("d"), 0);
  link->SetStalled(false);
  EXPECT_EQ(Write("e"), 1);
  EXPECT_EQ(port.PowerState(), PORTMGR_POWER_ONLINE);
}

TEST_F(PortTest, PeerGoneIsOffLine) {
  OpenWith();
  link->SetPeerPresent(false);
  EXPECT_TRUE(WaitFor([&] { return port.PowerState() == PORTMGR_POWER_OFFLINE; }, 2000));
  link->SetPeerPresent(true);
  EXPECT_TRUE(WaitFor([&] { return port.PowerState() == PORTMGR_POWER_ONLINE; }, 2000));
}

TEST_F(PortTest, StatusBlocksAndRepliesAreSeparated) {
  OpenWith();
  // A status block split over two arrivals, a real-time reply, an ink block.
  link->Inject(Bytes({0x30, 0x00}));
  std::this_thread::sleep_for(milliseconds(20));
  link->Inject(Bytes({0x00, 0x00, 0x12, 0x35, 0x04, 0x00, 0x00, 0x10, 0x00, 0x0C, 0x00}));
  EXPECT_EQ(ReadReply(2000), Bytes({0x12}));
  uint8_t s[4] = {};
  ASSERT_TRUE(WaitFor([&] { return port.TakeStatus(s); }, 2000));
  EXPECT_EQ(s[0], 0x30);
  ASSERT_TRUE(port.TakeStatus(s));
  EXPECT_EQ(s[0], 0x35);
  EXPECT_EQ(s[1], 0x04);
  ASSERT_TRUE(port.TakeStatus(s));
  EXPECT_EQ(s[2], 0x0C);
  EXPECT_FALSE(port.TakeStatus(s));
}

TEST_F(PortTest, ClearDropsStaleRepliesOnly) {
  OpenWith();
  link->Inject(Bytes({0x12, 0x14, 0x00, 0x00, 0x00}));
  ASSERT_TRUE(WaitFor([&] { return port.InputCount() == 1; }, 2000));
  port.Clear();
  EXPECT_EQ(port.InputCount(), 0);
  EXPECT_EQ(ReadReply(50), "");
  uint8_t s[4];
  EXPECT_TRUE(port.TakeStatus(s));
}

TEST_F(PortTest, PartialBlockReachesReadAfterTheLineGoesQuiet) {
  OpenWith();
  link->Inject(Bytes({0x16, 0x14, 0x00}));  // a reply, then two bytes that look like a block start
  EXPECT_EQ(ReadReply(1000), Bytes({0x16}));
  EXPECT_EQ(ReadReply(1000), Bytes({0x14, 0x00}));
}

TEST_F(PortTest, ReplyGapGathersAReplyInPieces) {
  OpenWith(NulSettings(150));
  std::thread printer([&] {
    link->Inject("AB");
    std::this_thread::sleep_for(milliseconds(40));
    link->Inject("CD");
  });
  EXPECT_EQ(ReadReply(2000), "ABCD");
  printer.join();
}

TEST_F(PortTest, CloseEndsAWaitingRead) {
  OpenWith();
  std::thread closer([&] {
    std::this_thread::sleep_for(milliseconds(50));
    port.Close();
  });
  const auto start = Clock::now();
  EXPECT_EQ(ReadReply(5000), "");
  EXPECT_LT(ElapsedMs(start), 3000);
  closer.join();
}

TEST_F(PortTest, BrokenLinkIsReopenedWithBackoff) {
  OpenWith();
  link->Break();
  EXPECT_TRUE(WaitFor([&] { return link->Opens() == 2; }, 3000));
  EXPECT_TRUE(WaitFor([&] { return port.PowerState() == PORTMGR_POWER_ONLINE; }, 2000));
  EXPECT_EQ(Write("after"), 5);
  EXPECT_EQ(link->Sent(), "after");
  EXPECT_GE(link->Closes(), 1);
}

TEST_F(PortTest, LinkThatStaysDownIsOffLineAndRetriedLessOften) {
  OpenWith();
  link->SetOpenable(false);
  link->Break();
  EXPECT_TRUE(WaitFor([&] { return port.PowerState() == PORTMGR_POWER_OFFLINE; }, 2000));
  EXPECT_EQ(Write("lost"), 0);  // fails at once, no waiting on a dead link
  std::this_thread::sleep_for(milliseconds(1600));
  // Attempts after 100, 300, 700 and 1500 ms: a handful, not one per poll.
  EXPECT_EQ(link->Opens(), 1);
  EXPECT_GE(link->Attempts(), 1 + 2);
  EXPECT_LE(link->Attempts(), 1 + 6);
  const auto start = Clock::now();
  port.Close();  // returns promptly even while backing off
  EXPECT_LT(ElapsedMs(start), 1500);
  EXPECT_EQ(link->Sent(), "");
}

TEST_F(PortTest, SendThatBreaksTheLinkIsReportedShortAndRecovered) {
  OpenWith();
  link->Break();
  EXPECT_EQ(Write("x"), 0);
  EXPECT_TRUE(WaitFor([&] { return port.PowerState() == PORTMGR_POWER_ONLINE; }, 3000));
  EXPECT_EQ(Write("y"), 1);
}
