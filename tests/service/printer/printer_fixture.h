// Shared set-up of the printer tests: an in-memory registry holding one
// printer entry, a capability profile in a temporary folder, the scripted
// port-manager library and a Control Object double.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "platform/registry_test_support.h"
#include "service/port/port_table.h"
#include "service/common/control_object.h"
#include "service/printer/pos_printer.h"
#include "tests/support/fake_portmgr.h"
#include "tests/support/temp_folder.h"

namespace printer_test {

constexpr char kPrinterKey[] = "Software\\OLEforRetail\\ServiceOPOS\\POSPrinter\\";

// A receipt model at 180 dpi: 42 or 56 characters on 512 dots.
inline std::string ReceiptProfile(int dpiHigh = 180, int dpiWidth = 180) {
  return "[COMMON]\r\nCapCompareFirmwareVersion=0\r\nCapStatisticsRporting=1\r\n"
         "[POSPRINTER]\r\nCharacterSetList=437,850,852,858\r\nRecLineCharsList=42,56\r\n"
         "CapCoverSensor=1\r\nCapRecBarCode=1\r\nCapRecCartridgeSensor=-1\r\nCapRecColor=1\r\n"
         "CapRecEmptySensor=1\r\nCapRecNearEndSensor=1\r\nCapRecPapercut=1\r\n"
         "CharacterSet=437\r\nRecLineChars=42\r\nRecLineHeight=24\r\nRecLineSpacing=30\r\n"
         "RecLineWidth=512\r\nRecSidewaysMaxLines=20\r\nRecLinesToPaperCut=5\r\n"
         "PageModeArea=512,1662\r\nPageModePrintArea=0,0,512,1662\r\nPageModeStation=2\r\n"
         "[DETAIL]\r\nLinecharsNormal=42\r\nLinecharsCompressed=56\r\nDotsPerNormalChar=12\r\n"
         "DotsPerCompressedChar=9\r\nDotsPerNormalCharHeight=24\r\nDotsPerCompressedCharHeight=17\r\n"
         "DPIHIGH=" + std::to_string(dpiHigh) + "\r\nDPIWIDTH=" + std::to_string(dpiWidth) + "\r\n"
         "[DIRECTIO]\r\nDIINTERNATIONAL=1\r\n";
}

// Answers LookUp for every event method except those named missing, and
// records the events it receives.
class FakeControlObject : public IControlObject {
 public:
  std::set<std::string> missing;
  // The application's handlers, run after the event is recorded; an Error
  // keeps its preset answer (retry).
  std::function<void(int32_t status)> onStatus;
  std::function<void(int32_t resultCode, int32_t extended)> onError;

  bool LookUp(const char* name, int32_t* dispid) override {
    std::lock_guard<std::mutex> lock(mutex_);
    lookedUp_.push_back(name);
    if (missing.count(name)) return false;
    *dispid = static_cast<int32_t>(lookedUp_.size());
    return true;
  }
  void SODirectIO(int32_t, int32_t eventNumber, int32_t*, std::string*) override {
    Add("DirectIO " + std::to_string(eventNumber));
  }
  void SOError(int32_t, int32_t rc, int32_t rce, int32_t, int32_t*) override {
    Add("Error " + std::to_string(rc) + "/" + std::to_string(rce));
    if (onError) onError(rc, rce);
  }
  void SOOutputComplete(int32_t, int32_t id) override { Add("OutputComplete " + std::to_string(id)); }
  void SOStatusUpdate(int32_t, int32_t status) override {
    Add("StatusUpdate " + std::to_string(status));
    if (onStatus) onStatus(status);
  }

  std::vector<std::string> LookedUp() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return lookedUp_;
  }
  std::vector<std::string> Events() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_;
  }

 private:
  void Add(const std::string& e) {
    std::lock_guard<std::mutex> lock(mutex_);
    events_.push_back(e);
  }
  mutable std::mutex mutex_;
  std::vector<std::string> lookedUp_;
  std::vector<std::string> events_;
};

class PrinterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::test_support::ResetRegistry();
    fake().Reset();
    table_ = fake().Table();
    SetPortLibraryForTesting(&table_);
    profilePath = folder.Write("PX-AA.inf", ReceiptProfile());
    SeedSerialPrinter("Printer1", "PX-AA", profilePath);
  }
  void TearDown() override { SetPortLibraryForTesting(nullptr); }

  static FakePortMgr& fake() { return FakePortMgr::Get(); }

  static std::string Key(const std::string& device) { return kPrinterKey + device; }
  static void SeedString(const std::string& device, const char* name, const std::string& value) {
    platform::test_support::SeedString(Key(device), name, value);
  }
  static void SeedDword(const std::string& device, const char* name, uint32_t value) {
    platform::test_support::SeedDword(Key(device), name, value);
  }

  // A network printer of command class 2 on 127.0.0.1:9100: no completion
  // handshake, so jobs complete at once.
  static void SeedNetworkPrinter(const std::string& device, const std::string& inf) {
    SeedSerialPrinter(device, "PX-AA", inf, "Ethernet", 2);
    SeedString(device, "TcpIp", "127.0.0.1");
    SeedDword(device, "TcpPort", 9100);
  }

  static void SeedSerialPrinter(const std::string& device, const std::string& model, const std::string& inf,
                                const std::string& port = "COM1", uint32_t type = 1) {
    SeedString(device, "", "Tavo.POSPrinter.ServiceObject.1.9");
    SeedString(device, "DeviceName", model);
    SeedString(device, "DeviceDesc", model + " receipt printer");
    SeedString(device, "Description", "Tavo OPOS POSPrinter Service Object");
    SeedString(device, "Version", "1.9.3");
    SeedString(device, "Port", port);
    SeedString(device, "BaudRate", "19200");
    SeedString(device, "BitLength", "8");
    SeedString(device, "Parity", "0");
    SeedString(device, "Stop", "0");
    SeedString(device, "OutputBuf", "4096");
    SeedString(device, "InputBuf", "1024");
    SeedDword(device, "type", type);
    SeedString(device, "inf", inf);
  }

  // Opens, claims and enables Printer1.
  void OpenClaimEnable(CPOSPrinter& p) {
    ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), 0);
    ASSERT_EQ(p.ClaimDevice(1000), 0);
    p.SetPropertyNumber(3, 1);
    ASSERT_EQ(p.GetPropertyNumber(6), 0);
    ASSERT_EQ(p.GetPropertyNumber(3), 1);
  }

  // Waits out the monitor's first round, whose power change writes 1D 61 0F
  // (and 1D 61 FF once enabled) at a time of the thread's choosing.
  static void SettleMonitor() {
    ASSERT_TRUE(fake().WaitFor([] { return fake().Count("GetASBState") >= 2; }, 30000));
  }

  tavo_test::TempFolder folder;
  std::string profilePath;
  FakeControlObject co;

 private:
  PortLibrary table_;
};

inline std::string Bytes(std::initializer_list<uint8_t> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

// The writes of the printer object, without those the port's monitor
// thread makes on its own when it sees the printer come on line.
inline std::vector<std::string> PrinterWrites() {
  const std::string statusBack = Bytes({0x1D, 0x61, 0x0F});
  const std::string inkBack = Bytes({0x1D, 0x6A, 0xFF});
  std::vector<std::string> own;
  for (const std::string& w : FakePortMgr::Get().Writes()) {
    if (w != statusBack && w != inkBack) own.push_back(w);
  }
  return own;
}

}  // namespace printer_test
