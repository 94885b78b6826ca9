// Claims contested by objects of one process, by threads, and by another
// process that holds, releases or dies holding.
#include "platform/device_claim.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <thread>

#include "claim_holder/child_process.h"
#include "tests/support/temp_folder.h"

using platform::CDeviceClaim;
using platform::ClaimResult;
using platform::DeviceClaimName;

namespace {

using Clock = std::chrono::steady_clock;

long long MsSince(Clock::time_point start) {
  return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - start).count();
}

bool WaitForFile(const std::string& path, int timeoutMs) {
  const auto end = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!std::ifstream(path).good()) {
    if (Clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

class DeviceClaimTest : public ::testing::Test {
 protected:
  void SetUp() override {
    scope_ = "p" + std::to_string(TAVO_TEST_PID) + "." + ::testing::UnitTest::GetInstance()->current_test_info()->name();
    platform::SetDeviceClaimScopeForTesting(scope_);
  }
  void TearDown() override { platform::SetDeviceClaimScopeForTesting(""); }

  // Starts a holder of POSPrinter "Printer1" in another process and waits
  // until it holds.
  void StartHolder(claim_test::CChildProcess* child) {
    ASSERT_TRUE(child->Start("claim_holder", {scope_, "POSPrinter", "Printer1", folder_.Path()}));
    ASSERT_TRUE(WaitForFile(folder_.File("held"), 60000)) << "the holder never took the claim";
  }

  std::string scope_;
  tavo_test::TempFolder folder_;
};

TEST_F(DeviceClaimTest, NamesFoldCaseAndEscapeWhatSystemObjectsRefuse) {
  EXPECT_EQ(DeviceClaimName("POSPrinter", "Printer1"), DeviceClaimName("posprinter", "PRINTER1"));
  EXPECT_NE(DeviceClaimName("POSPrinter", "Printer1"), DeviceClaimName("CashDrawer", "Printer1"));
  const std::string odd = DeviceClaimName("POSPrinter", "Kasse 1\\a/b_c\xE9");
  EXPECT_EQ(odd.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789._-"), std::string::npos) << odd;
  EXPECT_NE(DeviceClaimName("POSPrinter", "a_20"), DeviceClaimName("POSPrinter", "a "));
}

TEST_F(DeviceClaimTest, OneHolderAmongObjectsOfOneProcess) {
  const std::string name = DeviceClaimName("POSPrinter", "Printer1");
  CDeviceClaim a, b, other;
  EXPECT_EQ(a.Acquire(name, 0), ClaimResult::kTaken);
  EXPECT_EQ(a.Acquire(name, 0), ClaimResult::kTaken);  // held already
  EXPECT_EQ(b.Acquire(name, 0), ClaimResult::kTimedOut);
  EXPECT_EQ(other.Acquire(DeviceClaimName("CashDrawer", "Printer1"), 0), ClaimResult::kTaken);

  const auto start = Clock::now();
  EXPECT_EQ(b.Acquire(name, 300), ClaimResult::kTimedOut);
  EXPECT_GE(MsSince(start), 250);
  EXPECT_FALSE(b.Held());

  // A waiter for ever gets it when the holder lets go.
  auto waiter = std::async(std::launch::async, [&] { return b.Acquire(name, CDeviceClaim::kForever); });
  EXPECT_EQ(waiter.wait_for(std::chrono::milliseconds(100)), std::future_status::timeout);
  a.Release();
  EXPECT_EQ(waiter.get(), ClaimResult::kTaken);
  EXPECT_TRUE(b.Held());
  EXPECT_EQ(a.Acquire(name, 0), ClaimResult::kTimedOut);
  b.Release();
  EXPECT_EQ(a.Acquire(name, 0), ClaimResult::kTaken);  // not marked as a dead holder's
}

// A thread that took the claim and ended leaves it held (a Windows mutex
// taken by that thread would be abandoned), and another thread releases.
TEST_F(DeviceClaimTest, TakenAndReleasedOnDifferentThreads) {
  const std::string name = DeviceClaimName("POSPrinter", "Printer1");
  CDeviceClaim a, b;
  std::thread([&] { EXPECT_EQ(a.Acquire(name, 0), ClaimResult::kTaken); }).join();
  EXPECT_EQ(b.Acquire(name, 50), ClaimResult::kTimedOut);
  a.Release();
  EXPECT_EQ(b.Acquire(name, 0), ClaimResult::kTaken);
  { CDeviceClaim gone; }  // destroying an unheld claim is harmless
  b.Release();
  b.Release();
}

TEST_F(DeviceClaimTest, AnotherProcessHoldsThenReleases) {
  const std::string name = DeviceClaimName("POSPrinter", "Printer1");
  claim_test::CChildProcess child;
  StartHolder(&child);
  CDeviceClaim here;
  EXPECT_EQ(here.Acquire(name, 0), ClaimResult::kTimedOut);
  const auto start = Clock::now();
  EXPECT_EQ(here.Acquire(name, 700), ClaimResult::kTimedOut);
  const long long waited = MsSince(start);
  EXPECT_GE(waited, 650);
  EXPECT_LT(waited, 20000);

  auto waiter = std::async(std::launch::async, [&] { return here.Acquire(name, 20000); });
  std::ofstream(folder_.File("release")) << "x\n";
  EXPECT_EQ(waiter.get(), ClaimResult::kTaken);
  EXPECT_TRUE(WaitForFile(folder_.File("released"), 60000));
  EXPECT_TRUE(child.Wait(60000));
}

TEST_F(DeviceClaimTest, AHolderThatDiesFreesTheDevice) {
  const std::string name = DeviceClaimName("POSPrinter", "Printer1");
  claim_test::CChildProcess child;
  StartHolder(&child);
  CDeviceClaim here;
  EXPECT_EQ(here.Acquire(name, 0), ClaimResult::kTimedOut);
  auto waiter = std::async(std::launch::async, [&] { return here.Acquire(name, 60000); });
  child.Kill();
  const ClaimResult r = waiter.get();
#ifdef _WIN32
  // Windows reports the mutex abandoned; Wine frees it without saying so.
  EXPECT_TRUE(r == ClaimResult::kTakenFromDeadHolder || r == ClaimResult::kTaken);
#else
  EXPECT_EQ(r, ClaimResult::kTakenFromDeadHolder);
#endif
  here.Release();
  EXPECT_EQ(here.Acquire(name, 0), ClaimResult::kTaken);  // released properly this time
}

}  // namespace
