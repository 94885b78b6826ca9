// Handing received status blocks and reply bytes to callers.
#include "portmgr/core/port_input.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using namespace portmgr;
using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

namespace {

FrameOutput Replies(std::initializer_list<uint8_t> bytes) {
  FrameOutput f;
  f.replies = bytes;
  return f;
}

FrameOutput Block(uint8_t first) {
  FrameOutput f;
  f.blocks.push_back({first, 0, 0, 0});
  return f;
}

long ElapsedMs(Clock::time_point since) {
  return long(std::chrono::duration_cast<milliseconds>(Clock::now() - since).count());
}

}  // namespace

TEST(PortInput, StatusBlocksComeOutInArrivalOrderOnePerCall) {
  CPortInput in;
  in.Reset(64);
  for (uint8_t b : {0x10, 0x14, 0x30, 0x35}) in.Push(Block(b));
  uint8_t out[4];
  for (uint8_t b : {0x10, 0x14, 0x30, 0x35}) {
    ASSERT_TRUE(in.TakeStatus(out));
    EXPECT_EQ(out[0], b);
  }
  EXPECT_FALSE(in.TakeStatus(out));
}

TEST(PortInput, StatusQueueKeepsTheNewestWhenFull) {
  CPortInput in;
  in.Reset(64);
  for (size_t i = 0; i < CPortInput::kStatusCapacity + 3; ++i) {
    FrameOutput f;
    f.blocks.push_back({0x10, uint8_t(i & 0x0F), uint8_t((i >> 4) & 0x0F), uint8_t((i >> 8) & 0x0F)});
    in.Push(f);
  }
  EXPECT_EQ(in.StatusCount(), CPortInput::kStatusCapacity);
  uint8_t out[4];
  ASSERT_TRUE(in.TakeStatus(out));
  EXPECT_EQ(out[1] | (out[2] << 4) | (out[3] << 8), 3);  // the three oldest went
}

TEST(PortInput, ReadWaitsForTheFirstByteUpToItsLimit) {
  CPortInput in;
  in.Reset(64);
  uint8_t buf[8];
  auto start = Clock::now();
  EXPECT_EQ(in.Read(buf, 8, 120, 0), 0);
  EXPECT_GE(ElapsedMs(start), 110);
  EXPECT_EQ(in.Read(buf, 8, -5, 0), 0);  // negative waits are no wait

  std::thread later([&] {
    std::this_thread::sleep_for(milliseconds(40));
    in.Push(Replies({0x12}));
  });
  start = Clock::now();
  EXPECT_EQ(in.Read(buf, 8, 2000, 0), 1);
  EXPECT_LT(ElapsedMs(start), 1000);
  EXPECT_EQ(buf[0], 0x12);
  later.join();
}

TEST(PortInput, ReadGathersAReplyArrivingInPiecesUntilTheGap) {
  CPortInput in;
  in.Reset(64);
  std::thread sender([&] {
    in.Push(Replies({1, 2}));
    std::this_thread::sleep_for(milliseconds(20));
    in.Push(Replies({3}));
  });
  uint8_t buf[8];
  EXPECT_EQ(in.Read(buf, 8, 1000, 200), 3);
  sender.join();
  // With no gap the first piece is returned alone; a full buffer ends early.
  in.Push(Replies({4, 5}));
  EXPECT_EQ(in.Read(buf, 1, 1000, 200), 1);
  EXPECT_EQ(buf[0], 4);
  EXPECT_EQ(in.Read(buf, 8, 1000, 0), 1);
  EXPECT_EQ(buf[0], 5);
}

TEST(PortInput, ShutdownEndsAWaitingRead) {
  CPortInput in;
  in.Reset(64);
  std::thread closer([&] {
    std::this_thread::sleep_for(milliseconds(30));
    in.Shutdown();
  });
  uint8_t buf[4];
  const auto start = Clock::now();
  EXPECT_EQ(in.Read(buf, 4, 5000, 0), 0);
  EXPECT_LT(ElapsedMs(start), 2000);
  closer.join();
}

TEST(PortInput, ClearDropsRepliesButKeepsStatus) {
  CPortInput in;
  in.Reset(64);
  FrameOutput f = Replies({1, 2, 3});
  f.blocks.push_back({0x30, 0, 0, 0});
  in.Push(f);
  EXPECT_EQ(in.ReplyCount(), 3);
  in.ClearReplies();
  EXPECT_EQ(in.ReplyCount(), 0);
  uint8_t out[4];
  EXPECT_TRUE(in.TakeStatus(out));
}

TEST(PortInput, ReplyBufferKeepsTheNewestBytes) {
  CPortInput in;
  in.Reset(4);
  in.Push(Replies({1, 2, 3, 4, 5, 6}));
  uint8_t buf[8];
  ASSERT_EQ(in.Read(buf, 8, 0, 0), 4);
  EXPECT_EQ(buf[0], 3);
  EXPECT_EQ(buf[3], 6);
  EXPECT_EQ(in.Read(nullptr, 8, 0, 0), 0);
  EXPECT_EQ(in.Read(buf, -1, 0, 0), 0);
}
