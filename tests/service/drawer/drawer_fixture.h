// A printer entry (from the printer tests' fixture) with a cash drawer
// entry hung on it, and helpers to pump the owner thread.
#pragma once

#include <chrono>
#include <functional>

#include "platform/owner_thread.h"
#include "service/drawer/cash_drawer.h"
#include "tests/service/printer/printer_fixture.h"

namespace drawer_test {

constexpr char kDrawerKey[] = "Software\\OLEforRetail\\ServiceOPOS\\CashDrawer\\";

class DrawerTest : public printer_test::PrinterTest {
 protected:
  void SetUp() override {
    PrinterTest::SetUp();
    SeedDrawer("Drawer1", "Printer1");
  }

  static void SeedDrawer(const std::string& device, const std::string& printer, const std::string& openLevel = "0") {
    const std::string key = kDrawerKey + device;
    using platform::test_support::SeedString;
    SeedString(key, "", "Tavo.CashDrawer.ServiceObject1.9");
    SeedString(key, "DeviceName", "CashDrawer");
    SeedString(key, "DeviceDesc", "Drawer on " + printer);
    SeedString(key, "Description", "Tavo OPOS CashDrawer Service Object");
    SeedString(key, "POSPrinter", printer);
    SeedString(key, "ConnectorPinNo", "0");
    SeedString(key, "PulseOnTime", "200");
    SeedString(key, "PulseOffTime", "200");
    SeedString(key, "OpenLevel", openLevel);
  }
  static void SeedDrawerValue(const std::string& device, const char* name, const std::string& value) {
    platform::test_support::SeedString(kDrawerKey + device, name, value);
  }

  void OpenEnable(CCashDrawer& d, const std::string& device = "Drawer1") {
    ASSERT_EQ(d.OpenService("CashDrawer", device, &co), 0);
    ASSERT_EQ(d.ClaimDevice(0), 0);
    d.SetPropertyNumber(3, 1);
    ASSERT_EQ(d.GetPropertyNumber(6), 0);
    ASSERT_EQ(d.GetPropertyNumber(3), 1);
  }

  static bool PumpUntil(const std::function<bool()>& pred, int timeoutMs = 5000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!pred()) {
      if (std::chrono::steady_clock::now() > end) return false;
      platform::PumpMessages(5);
    }
    return true;
  }
  static void PumpFor(int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) platform::PumpMessages(5);
  }
};

}  // namespace drawer_test
