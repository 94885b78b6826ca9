// The display's claim is exclusive across objects and processes: the
// time-out has the standard's meaning, and ReleaseDevice, Close, a failed
// claim and the holder's death give the device up.
#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <future>
#include <thread>

#include "platform/device_claim.h"
#include "tests/platform/claim_holder/child_process.h"
#include "tests/service/display/display_fixture.h"
#include "tests/support/temp_folder.h"

namespace display_test {
namespace {

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

TEST_F(DisplayTest, TwoObjectsOfOneDisplayContestTheClaim) {
  CLineDisplay first, second;
  ASSERT_EQ(first.OpenService("LineDisplay", "QDX-200", &co), 0);
  printer_test::FakeControlObject co2;
  ASSERT_EQ(second.OpenService("LineDisplay", "QDX-200", &co2), 0);
  ASSERT_EQ(first.ClaimDevice(0), 0);
  EXPECT_EQ(second.ClaimDevice(0), 112);
  EXPECT_EQ(second.GetPropertyNumber(6), 112);
  const auto start = Clock::now();
  EXPECT_EQ(second.ClaimDevice(400), 112);
  EXPECT_GE(MsSince(start), 350);
  EXPECT_EQ(second.ClaimDevice(-2), 106);
  EXPECT_EQ(second.GetPropertyNumber(1), 0);
  EXPECT_EQ(second.DisplayText(u"not mine", 0), 103);

  // Another display is claimed apart.
  CLineDisplay other;
  ASSERT_EQ(other.OpenService("LineDisplay", "QDX-420", &co2), 0);
  EXPECT_EQ(other.ClaimDevice(0), 0);

  // A waiter for ever gets it once the holder releases, and initialises the
  // display again.
  auto waiter = std::async(std::launch::async, [&] { return second.ClaimDevice(-1); });
  EXPECT_EQ(waiter.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
  Mark();
  EXPECT_EQ(first.ReleaseDevice(), 0);
  EXPECT_EQ(waiter.get(), 0);
  EXPECT_EQ(second.GetPropertyNumber(1), 1);
  EXPECT_NE(Since().find(Bytes({0x1B, 0x40})), std::string::npos);
  EXPECT_EQ(first.ClaimDevice(0), 112);

  // Close gives the claim up.
  EXPECT_EQ(second.Close(), 0);
  EXPECT_EQ(first.ClaimDevice(0), 0);
}

TEST_F(DisplayTest, FailedClaimsAndDestroyedHoldersGiveTheClaimUp) {
  CLineDisplay waiting;
  ASSERT_EQ(waiting.OpenService("LineDisplay", "QDX-200", &co), 0);
  {
    CLineDisplay holder;
    ASSERT_EQ(holder.OpenService("LineDisplay", "QDX-200", &co), 0);
    ASSERT_EQ(holder.ClaimDevice(0), 0);
    EXPECT_EQ(waiting.ClaimDevice(0), 112);
  }
  EXPECT_EQ(waiting.ClaimDevice(0), 0);
  EXPECT_EQ(waiting.ReleaseDevice(), 0);

  CLineDisplay refused;
  ASSERT_EQ(refused.OpenService("LineDisplay", "QDX-200", &co), 0);
  fake().SetOpenPortResult(0);
  EXPECT_EQ(refused.ClaimDevice(0), 107);
  fake().SetOpenPortResult(1);
  fake().SetWriteLimit(0);
  EXPECT_EQ(refused.ClaimDevice(0), 111);
  fake().SetWriteLimit(-1);
  EXPECT_EQ(waiting.ClaimDevice(0), 0);
}

// A holder in another process: 112 while it holds, and its death frees
// the display.
TEST_F(DisplayTest, AnotherProcessHoldingTheDisplayTimesTheClaimOut) {
  const std::string scope = "d" + std::to_string(TAVO_TEST_PID) + ".display";
  platform::SetDeviceClaimScopeForTesting(scope);
  tavo_test::TempFolder folder;
  claim_test::CChildProcess child;
  ASSERT_TRUE(child.Start("claim_holder", {scope, "LineDisplay", "qdx-200", folder.Path()}));
  const auto until = Clock::now() + std::chrono::seconds(60);
  while (!std::ifstream(folder.File("held")).good() && Clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  ASSERT_TRUE(std::ifstream(folder.File("held")).good()) << "the holder never took the claim";

  CLineDisplay d;
  ASSERT_EQ(d.OpenService("LineDisplay", "QDX-200", &co), 0);
  EXPECT_EQ(d.ClaimDevice(0), 112);
  EXPECT_EQ(d.ClaimDevice(300), 112);
  EXPECT_EQ(fake().Count("OpenPort"), 0);
  auto waiter = std::async(std::launch::async, [&] { return d.ClaimDevice(60000); });
  child.Kill();
  EXPECT_EQ(waiter.get(), 0);
  EXPECT_EQ(d.GetPropertyNumber(1), 1);
  EXPECT_EQ(d.Close(), 0);
}

}  // namespace
}  // namespace display_test
