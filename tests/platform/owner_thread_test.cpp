// Mailboxes: posts from any thread run on the owner thread when it pumps;
// posts to a destroyed mailbox are never handled.
#include "platform/owner_thread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace {

TEST(OwnerMailbox, PostsRunOnTheOwnerThreadInOrder) {
  const auto owner = std::this_thread::get_id();
  std::vector<uintptr_t> seen;
  bool otherThread = false;
  platform::COwnerMailbox box("TavoTestMailbox", 77, [&](uintptr_t token) {
    seen.push_back(token);
    otherThread |= std::this_thread::get_id() != owner;
  });
  ASSERT_TRUE(box.Valid());
  std::thread([&] {
    for (uintptr_t i = 1; i <= 5; ++i) EXPECT_TRUE(box.Post(i));
  }).join();
  EXPECT_TRUE(seen.empty());  // nothing runs until the owner pumps
  for (int i = 0; i < 50 && seen.size() < 5; ++i) platform::PumpMessages(20);
  EXPECT_EQ(seen, (std::vector<uintptr_t>{1, 2, 3, 4, 5}));
  EXPECT_FALSE(otherThread);
}

TEST(OwnerMailbox, PumpWaitsForALatePost) {
  std::atomic<int> handled{0};
  platform::COwnerMailbox box("TavoTestMailbox", 77, [&](uintptr_t) { ++handled; });
  std::thread poster([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    box.Post(9);
  });
  int total = 0;
  for (int i = 0; i < 20 && total == 0; ++i) total += platform::PumpMessages(100);
  poster.join();
  EXPECT_EQ(handled, 1);
}

TEST(OwnerMailbox, DestroyedMailboxDiscardsPendingPosts) {
  int handled = 0;
  {
    platform::COwnerMailbox box("TavoTestMailbox", 77, [&](uintptr_t) { ++handled; });
    box.Post(1);
    box.Post(2);
  }
  platform::PumpMessages(20);
  EXPECT_EQ(handled, 0);
}

TEST(OwnerMailbox, FailedCreationRefusesPosts) {
  platform::FailNextMailboxForTesting();
  platform::COwnerMailbox box("TavoTestMailbox", 77, [](uintptr_t) {});
  EXPECT_FALSE(box.Valid());
  EXPECT_FALSE(box.Post(1));
  platform::COwnerMailbox next("TavoTestMailbox", 77, [](uintptr_t) {});
  EXPECT_TRUE(next.Valid());  // only the next one fails
}

TEST(OwnerMailbox, HandlerMayDestroyItsMailbox) {
  std::unique_ptr<platform::COwnerMailbox> box;
  int handled = 0;
  box = std::make_unique<platform::COwnerMailbox>("TavoTestMailbox", 77, [&](uintptr_t) {
    ++handled;
    box.reset();
  });
  box->Post(1);
  box->Post(2);
  platform::PumpMessages(20);
  EXPECT_EQ(handled, 1);
  EXPECT_EQ(box, nullptr);
}

}  // namespace
