// The cash drawer on the virtual printer's port, beside the printer: one
// port object for both, the kick's bytes on the wire, the drawer's open and
// close reaching SOStatusUpdate, a second drawer on the port refused, and
// the printer's printed health check.
#include <thread>

#include "e2e_fixture.h"

namespace {

constexpr char kDrawerKey[] = "Software\\OLEforRetail\\ServiceOPOS\\CashDrawer\\";
constexpr long PIDXCash_DrawerOpened = 1001;

// A drawer entry hung on the run's printer, removed again at the end.
class DrawerEntry {
 public:
  explicit DrawerEntry(const std::string& name) : path_(kDrawerKey + name) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
      return;
    const std::pair<const char*, std::string> values[] = {
        {"", "Tavo.CashDrawer.ServiceObject1.9"}, {"DeviceName", "CashDrawer"}, {"DeviceDesc", "E2E drawer"},
        {"Description", "Tavo cash drawer"},      {"POSPrinter", Rig().device}, {"ConnectorPinNo", "1"},
        {"PulseOnTime", "400"},                   {"PulseOffTime", "100"},      {"OpenLevel", "0"}};
    for (const auto& v : values)
      RegSetValueExA(key, v.first, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.second.c_str()),
                     static_cast<DWORD>(v.second.size() + 1));
    RegCloseKey(key);
  }
  ~DrawerEntry() { RegDeleteKeyA(HKEY_LOCAL_MACHINE, path_.c_str()); }

 private:
  std::string path_;
};

class Drawer : public PrinterE2e {
 protected:
  void SetUp() override {
    PrinterE2e::SetUp();
    Control("drawer close");
    HRESULT hr = S_OK;
    ASSERT_TRUE(drawer_.Create(&hr, kDrawerProgId)) << "creating the drawer by ProgID failed: 0x" << std::hex << hr;
  }
  void TearDown() override {
    if (drawer_.Object()) drawer_.Close();
    Control("drawer close");
    PrinterE2e::TearDown();
  }
  void OpenEnableDrawer() {
    ASSERT_EQ(drawer_.Open("E2EDrawer", recorder_), 0);
    ASSERT_EQ(drawer_.Claim(), 0);
    drawer_.SetNumber(PIDX_DeviceEnabled, 1);
    ASSERT_EQ(drawer_.Number(PIDX_ResultCode), 0);
  }

  DrawerEntry entry_{"E2EDrawer"};
  DrawerEntry second_{"E2EDrawer2"};
  PrinterSession drawer_;
};

TEST_F(Drawer, KickReachesThePrinterAndOpenAndCloseReachTheApplication) {
  OpenClaimEnable();
  OpenEnableDrawer();
  const std::size_t from = recorder_->Events().size();
  CommandLog log;
  EXPECT_EQ(drawer_.Call(L"OpenDrawer", {}), 0);
  // 400 ms on and 100 ms off in 2 ms units, on pin 5.
  ASSERT_TRUE(PumpUntil([&] { return HexOccurrences(log.HexSince(), "1b7001c832") == 1; })) << log.HexSince();
  ASSERT_TRUE(WaitForStatus(1, from)) << recorder_->Describe();
  EXPECT_EQ(drawer_.Number(PIDXCash_DrawerOpened), 1);
  const std::size_t opened = recorder_->Events().size();
  Control("drawer close");
  ASSERT_TRUE(WaitForStatus(0, opened)) << recorder_->Describe();
  EXPECT_EQ(drawer_.Number(PIDXCash_DrawerOpened), 0);

  // The printer still prints through the same port.
  EXPECT_EQ(printer_.PrintNormal("E2E after the drawer\n"), 0);
  EXPECT_TRUE(WaitForText(log, "E2E after the drawer"));
}

TEST_F(Drawer, WaitForDrawerCloseReturnsWhenTheDrawerIsClosedByHand) {
  OpenEnableDrawer();
  Control("drawer open");
  ASSERT_TRUE(PumpUntil([&] { return drawer_.Number(PIDXCash_DrawerOpened) == 1; }));
  std::thread closer([] {
    Sleep(500);
    Control("drawer close");
  });
  EXPECT_EQ(drawer_.Call(L"WaitForDrawerClose", {PrinterSession::Long(-1), PrinterSession::Long(800),
                                                  PrinterSession::Long(100), PrinterSession::Long(500)}),
            0);
  closer.join();
  EXPECT_EQ(drawer_.Number(PIDXCash_DrawerOpened), 0);
}

TEST_F(Drawer, SecondDrawerOnThePortIsRefused) {
  OpenEnableDrawer();
  PrinterSession second;
  ASSERT_TRUE(second.Create(nullptr, kDrawerProgId));
  EXPECT_EQ(second.Open("E2EDrawer2", recorder_), 111);
  drawer_.Close();
  EXPECT_EQ(second.Open("E2EDrawer2", recorder_), 0);
  second.Close();
}

TEST_F(Drawer, PrintedHealthCheckCarriesTheVersionLine) {
  OpenClaimEnable();
  CommandLog log;
  EXPECT_EQ(printer_.Call(L"CheckHealth", {PrinterSession::Long(2)}), 0);
  EXPECT_EQ(printer_.Text(1000001), "CheckHealth: Successful");
  EXPECT_TRUE(WaitForText(log, "Version 1.9.3")) << log.TextSince();
  EXPECT_NE(log.TextSince().find("End-to-end receipt printer"), std::string::npos);
  // Rendered on the virtual paper, then cut off into an image.
  std::string text;
  ASSERT_TRUE(PumpUntil([&] {
    text = ControlOk("text");
    return text.find("Version 1.9.3") != std::string::npos;
  })) << "receipt text: " << text;
  EXPECT_NE(text.find("E2E-80"), std::string::npos) << text;
  EXPECT_NE(ControlOk("save").find(".png"), std::string::npos);
}

}  // namespace
