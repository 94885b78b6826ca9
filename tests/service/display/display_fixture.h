// A line display entry on a serial port with the QDX-200 or QDX-420
// profile from data/, the scripted port library and a Control Object
// double; helpers to open, claim and enable and to read what went out.
#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <string>

#include "platform/owner_thread.h"
#include "service/display/line_display.h"
#include "tests/service/printer/printer_fixture.h"

namespace display_test {

constexpr char kDisplayKey[] = "Software\\OLEforRetail\\ServiceOPOS\\LineDisplay\\";

inline std::string DataFile(const std::string& name) {
  return (std::filesystem::current_path() / "data" / name).string();
}

class DisplayTest : public printer_test::PrinterTest {
 protected:
  void SetUp() override {
    PrinterTest::SetUp();
    SeedDisplay("QDX-200", "QDX-200");
    SeedDisplay("QDX-420", "QDX-420", "COM4");
  }

  static void SeedDisplayValue(const std::string& device, const char* name, const std::string& value) {
    platform::test_support::SeedString(kDisplayKey + device, name, value);
  }
  static void SeedDisplay(const std::string& device, const std::string& model, const std::string& port = "COM3") {
    SeedDisplayValue(device, "", "Tavo.LineDisplay.ServiceObject.1.9");
    SeedDisplayValue(device, "DeviceName", model);
    SeedDisplayValue(device, "DeviceDesc", model + " Customer Display");
    SeedDisplayValue(device, "Description", "Tavo OPOS LineDisplay Service Object");
    SeedDisplayValue(device, "Version", "1.9.7");
    SeedDisplayValue(device, "Port", port);
    SeedDisplayValue(device, "BaudRate", "9600");
    SeedDisplayValue(device, "BitLength", "8");
    SeedDisplayValue(device, "Parity", "0");
    SeedDisplayValue(device, "Stop", "0");
    SeedDisplayValue(device, "OutputBuf", "8192");
    SeedDisplayValue(device, "InputBuf", "8192");
    SeedDisplayValue(device, "inf", DataFile(model + ".inf"));
  }

  // Opens, claims and enables; the bytes written so far are forgotten.
  void OpenEnable(CLineDisplay& d, const std::string& device = "QDX-200") {
    ASSERT_EQ(d.OpenService("LineDisplay", device, &co), 0);
    ASSERT_EQ(d.ClaimDevice(1000), 0);
    d.SetPropertyNumber(3, 1);
    ASSERT_EQ(d.GetPropertyNumber(6), 0);
    ASSERT_EQ(d.GetPropertyNumber(3), 1);
    Mark();
  }

  // Bytes written since the last Mark.
  void Mark() { mark_ = fake().Written().size(); }
  std::string Since() const { return fake().Written().substr(mark_); }

  static bool WaitUntil(const std::function<bool()>& pred, int timeoutMs = 10000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!pred()) {
      if (std::chrono::steady_clock::now() > end) return false;
      platform::PumpMessages(5);
    }
    return true;
  }

  static std::string Bytes(std::initializer_list<int> bytes) {
    std::string s;
    for (int b : bytes) s += static_cast<char>(b);
    return s;
  }
  // US $ x y with 1-based positions, for 0-based row and column.
  static std::string At(int row, int column) { return Bytes({0x1F, 0x24, column + 1, row + 1}); }

 private:
  size_t mark_ = 0;
};

}  // namespace display_test
