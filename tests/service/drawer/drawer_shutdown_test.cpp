// Disabling or closing the drawer while a status is on its way in, and
// while WaitForDrawerClose pumps messages.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "drawer_fixture.h"

using namespace drawer_test;

namespace {

bool WaitUntil(const std::function<bool()>& pred, int timeoutMs) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!pred()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return true;
}

// A status callback already past its enabled check when the application
// disables: once the disable returns, PowerState reads 2000 and stays so.
TEST_F(DrawerTest, DisableOutlastsAStatusCallbackInProgress) {
  CCashDrawer d;
  ASSERT_EQ(d.OpenService("CashDrawer", "Drawer1", &co), 0);
  ASSERT_EQ(d.ClaimDevice(0), 0);
  d.SetPropertyNumber(13, 1);
  d.SetPropertyNumber(3, 1);
  fake().PushStatus({0x04, 0, 0, 0});
  ASSERT_TRUE(PumpUntil([&] { return d.GetPropertyNumber(14) == 2001; }, 20000));

  std::atomic<bool> armed{true};
  std::atomic<bool> entered{false};
  d.SetStatusProbeForTesting([&] {
    if (!armed.exchange(false)) return;
    entered = true;
    // Gives the disable every chance to run ahead of this callback; a
    // disable that waits for the callback lets the bound run out.
    WaitUntil([&] { return d.PowerState() == 2000; }, 1000);
  });
  fake().PushStatus({0x0C, 0, 0, 0});  // off line: the callback would write 2004
  ASSERT_TRUE(WaitUntil([&] { return entered.load(); }, 20000));
  d.SetPropertyNumber(3, 0);
  EXPECT_EQ(d.GetPropertyNumber(14), 2000);
  EXPECT_EQ(d.GetPropertyNumber(3), 0);
  PumpFor(50);
  EXPECT_EQ(d.GetPropertyNumber(14), 2000);
}

// The application disables the drawer from its StatusUpdate handler while
// WaitForDrawerClose pumps: the wait ends instead of beeping for ever.
TEST_F(DrawerTest, WaitForDrawerCloseEndsWhenAHandlerDisables) {
  CCashDrawer d;
  OpenEnable(d);
  std::atomic<int> beeps{0};
  d.SetBeeper([&](int32_t, int32_t) {
    ++beeps;
    // Rescue a wait that did not notice: enable again and close.
    d.SetPropertyNumber(3, 1);
    d.OnDrawerStatus(0x04);
  });
  co.onStatus = [&](int32_t status) {
    if (status == 1) d.SetPropertyNumber(3, 0);
  };
  d.OnDrawerStatus(0x00);  // open; the event is delivered while the wait pumps
  EXPECT_EQ(d.WaitForDrawerClose(2000, 800, 5, 5), 105);
  EXPECT_EQ(beeps, 0);
  EXPECT_EQ(d.GetPropertyNumber(3), 0);
}

TEST_F(DrawerTest, WaitForeverEndsWhenAHandlerDisablesOrCloses) {
  CCashDrawer d;
  OpenEnable(d);
  d.SetBeeper([](int32_t, int32_t) { ADD_FAILURE() << "beeped"; });
  co.onStatus = [&](int32_t status) {
    if (status == 1) d.SetPropertyNumber(3, 0);
  };
  d.OnDrawerStatus(0x00);
  EXPECT_EQ(d.WaitForDrawerClose(-1, 800, 5, 5), 105);

  // Enabled again, the drawer reports open anew; this time the handler
  // closes the service.
  d.SetPropertyNumber(3, 1);
  co.onStatus = [&](int32_t status) {
    if (status == 1) d.Close();
  };
  d.OnDrawerStatus(0x00);
  EXPECT_EQ(d.WaitForDrawerClose(-1, 800, 5, 5), 101);
  EXPECT_EQ(d.GetPropertyNumber(9), 1);
  co.onStatus = nullptr;
}

}  // namespace
