// devsetup.exe driven through its windows: started as a technician would,
// with devices seeded in the registry, then driven by keys, buttons and
// tree selection; its message boxes are answered and the registry and
// setup.inf checked afterwards. run-devsetup-gui.sh prepares the prefix
// (package registered, Control Object stand-ins, virtual printer).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "common/device_rules.h"
#include "common/registry_access.h"
#include "common/registry_schema.h"
#include "resources/devsetup/resource.h"
#include "tests/setup/gui/remote_window.h"

using device_rules::ClassKeyPath;
using device_rules::DeviceClass;
using device_rules::DeviceKeyPath;

namespace {

std::string Env(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

constexpr DeviceClass kClasses[] = {DeviceClass::kPOSPrinter, DeviceClass::kCashDrawer, DeviceClass::kLineDisplay};
constexpr int kPrinterHealthPrint = 1000;  // "&Print" of the printer's check-health dialog

class DevsetupGui : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(Env("TAVO_GUI_DEVSETUP").empty()) << "run through run-devsetup-gui.sh";
    ClearDevices();
  }
  void TearDown() override {
    Stop();
    ClearDevices();
  }

  static void ClearDevices() {
    const CRegistryAccess reg;
    for (DeviceClass c : kClasses) reg.Delete(ClassKeyPath(c), nullptr);
  }
  void Put(DeviceClass c, const std::string& device, const std::string& value, const std::string& text) {
    ASSERT_TRUE(reg_.WriteString(DeviceKeyPath(c, device), value, text));
  }
  void SeedPrinter(const std::string& name, const std::string& port, const std::string& ldn) {
    Put(DeviceClass::kPOSPrinter, name, schema::kDefault, "Tavo.POSPrinter.ServiceObject.1.9");
    Put(DeviceClass::kPOSPrinter, name, schema::kDeviceName, name);
    Put(DeviceClass::kPOSPrinter, name, schema::kPort, port);
    Put(DeviceClass::kPOSPrinter, name, schema::kLDN, ldn);
    if (!ldn.empty()) {
      ASSERT_TRUE(reg_.WriteString(ClassKeyPath(DeviceClass::kPOSPrinter), ldn, name));
    }
  }

  void Start() {
    std::string command = "\"" + Env("TAVO_GUI_DEVSETUP") + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    ASSERT_TRUE(CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process_));
    ASSERT_TRUE(WaitFor([this] { return (main_ = FindDialog(process_.dwProcessId, Caption(), IDC_DEVICE_TREE)); }))
        << "no main window";
    tree_ = std::make_unique<CRemoteTree>(GetDlgItem(main_, IDC_DEVICE_TREE), process_.hProcess);
    ASSERT_TRUE(WaitFor([this] { return tree_->Children(tree_->Root()).size() == 3; }));
  }
  void Stop() {
    if (!process_.hProcess) return;
    tree_.reset();
    if (main_) PostMessageA(main_, WM_COMMAND, IDC_EXIT, 0);
    if (WaitForSingleObject(process_.hProcess, 20000) != WAIT_OBJECT_0) {
      ADD_FAILURE() << "devsetup did not end on Exit";
      TerminateProcess(process_.hProcess, 1);
    }
    CloseHandle(process_.hProcess);
    CloseHandle(process_.hThread);
    process_ = {};
  }
  static std::string Caption() { return "Tavo OPOS Device Setup 1.9"; }

  // The tree's device node of a class, by name.
  HTREEITEM ClassNode(const char* text) { return tree_->Child(tree_->Root(), text); }
  HTREEITEM Device(const char* classText, const std::string& name) { return tree_->Child(ClassNode(classText), name); }
  void Key(char key) { PostMessageA(GetDlgItem(main_, IDC_DEVICE_TREE), WM_KEYDOWN, static_cast<WPARAM>(key), 1); }
  bool Enabled(int id) { return IsWindowEnabled(GetDlgItem(main_, id)) != FALSE; }

  // Waits for a message box of devsetup, returns its text and closes it
  // with the given button.
  std::string Answer(const std::string& caption, int button) {
    HWND box = nullptr;
    if (!WaitFor([&] { return (box = FindDialog(process_.dwProcessId, caption)) != nullptr; })) return "<no box>";
    const std::string text = DialogStatics(box);
    PostMessageA(box, WM_COMMAND, static_cast<WPARAM>(button), 0);
    WaitFor([&] { return !IsWindow(box); });
    return text;
  }
  void Screenshot(HWND window, const char* name) {
    const std::string folder = Env("TAVO_GUI_SHOTS");
    if (folder.empty()) return;
    Settle(window);
    Sleep(500);  // let the window finish painting
    EXPECT_TRUE(SaveWindowImage(window, folder + "\\" + name));
  }
  std::string SetupInf(const char* key) {
    char text[64] = {};
    GetPrivateProfileStringA("Description", key, "<none>", text, sizeof text,
                             (Env("TAVO_GUI_INSTALL") + "\\setup.inf").c_str());
    return text;
  }

  CRegistryAccess reg_;
  PROCESS_INFORMATION process_{};
  HWND main_ = nullptr;
  std::unique_ptr<CRemoteTree> tree_;
};

TEST_F(DevsetupGui, TreeListsDevicesInBoldOrNormalAndDescribesTheSelection) {
  SeedPrinter("TavoPOS-R200", "Ethernet", "FrontTill");
  SeedPrinter("AcmePrinter", "COM2", "");
  Put(DeviceClass::kCashDrawer, "CashDrawer", schema::kDeviceName, "CashDrawer");
  Put(DeviceClass::kCashDrawer, "CashDrawer", schema::kPOSPrinter, "TavoPOS-R200");
  Put(DeviceClass::kLineDisplay, "QDX-200", schema::kPort, "COM3");
  Start();

  EXPECT_EQ(tree_->Text(tree_->Root()), "Device");
  std::vector<std::string> classes;
  for (HTREEITEM node : tree_->Children(tree_->Root())) classes.push_back(tree_->Text(node));
  EXPECT_EQ(classes, (std::vector<std::string>{"POSPrinter", "CashDrawer", "LineDisplay"}));
  ASSERT_TRUE(Device("POSPrinter", "TavoPOS-R200"));
  ASSERT_TRUE(Device("POSPrinter", "AcmePrinter"));
  EXPECT_TRUE(tree_->Bold(Device("POSPrinter", "TavoPOS-R200")));
  EXPECT_FALSE(tree_->Bold(Device("POSPrinter", "AcmePrinter")));
  EXPECT_TRUE(tree_->Bold(Device("CashDrawer", "CashDrawer")));
  EXPECT_TRUE(tree_->Bold(Device("LineDisplay", "QDX-200")));
  EXPECT_FALSE(Enabled(IDC_MODIFY_DEVICE) || Enabled(IDC_CHECK_HEALTH) || Enabled(IDC_REMOVE_DEVICE));

  tree_->Select(Device("CashDrawer", "CashDrawer"));
  tree_->Select(Device("POSPrinter", "TavoPOS-R200"));
  EXPECT_EQ(WindowText(GetDlgItem(main_, IDC_DESCRIPTION)),
            "- Printer Description - \r\n\r\n Printer Name : TavoPOS-R200\r\n LDN : FrontTill\r\n"
            " Using Port : Ethernet\r\n");
  EXPECT_TRUE(Enabled(IDC_MODIFY_DEVICE) && Enabled(IDC_CHECK_HEALTH) && Enabled(IDC_REMOVE_DEVICE));
  Screenshot(main_, "devsetup-main.bmp");

  tree_->Select(Device("POSPrinter", "AcmePrinter"));
  EXPECT_FALSE(Enabled(IDC_MODIFY_DEVICE) || Enabled(IDC_CHECK_HEALTH) || Enabled(IDC_REMOVE_DEVICE));
  EXPECT_NE(WindowText(GetDlgItem(main_, IDC_DESCRIPTION)).find("AcmePrinter"), std::string::npos);
}

TEST_F(DevsetupGui, RemoveAsksThenDeletesTheDeviceWithItsLdn) {
  SeedPrinter("TavoPOS-R200", "COM1", "");
  SeedPrinter("TavoPOS-R300", "COM2", "BackTill");
  Start();
  tree_->Select(Device("POSPrinter", "TavoPOS-R300"));
  Key('R');
  EXPECT_EQ(Answer("Remove Device", IDCANCEL),
            "Are you sure you want to delete all setting information about TavoPOS-R300");
  EXPECT_TRUE(reg_.KeyExists(DeviceKeyPath(DeviceClass::kPOSPrinter, "TavoPOS-R300")));

  tree_->Select(Device("POSPrinter", "TavoPOS-R300"));
  Key('R');
  Answer("Remove Device", IDOK);
  EXPECT_TRUE(WaitFor([this] { return !Device("POSPrinter", "TavoPOS-R300"); }));
  EXPECT_FALSE(reg_.KeyExists(DeviceKeyPath(DeviceClass::kPOSPrinter, "TavoPOS-R300")));
  std::string mapped;
  EXPECT_FALSE(reg_.ReadString(ClassKeyPath(DeviceClass::kPOSPrinter), "BackTill", &mapped));
  EXPECT_TRUE(Device("POSPrinter", "TavoPOS-R200"));
}

TEST_F(DevsetupGui, PortRangeRefusesOutOfRangeAndSavesTheCounts) {
  Start();
  Key('A');
  HWND dialog = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (dialog = FindDialog(process_.dwProcessId, "", IDC_SERIAL_COUNT)) != nullptr; }));
  EXPECT_EQ(WindowText(GetDlgItem(dialog, IDC_SERIAL_COUNT)), SetupInf("COMRange"));
  Screenshot(dialog, "devsetup-port-range.bmp");

  SendMessageA(GetDlgItem(dialog, IDC_SERIAL_COUNT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("51"));
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_EQ(Answer("devsetup", IDOK), "Please enter a number between 1 and 50.");
  EXPECT_TRUE(IsWindow(dialog));
  EXPECT_EQ(SetupInf("COMRange"), "4");

  SendMessageA(GetDlgItem(dialog, IDC_SERIAL_COUNT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("8"));
  SendMessageA(GetDlgItem(dialog, IDC_PARALLEL_COUNT), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("3"));
  PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(SetupInf("COMRange"), "8");
  EXPECT_EQ(SetupInf("LPTRange"), "3");
  EXPECT_EQ(SetupInf("LPTMRange"), "3");
}

// Check Health through the Control Object stand-in: the Service Object is
// created by the entry's ProgID, opened and claimed on the virtual printer.
// Where it shows its interactive dialog, Print must print the test receipt.
TEST_F(DevsetupGui, CheckHealthOpensThePrinterThroughItsControlObject) {
  const std::string port = Env("TAVO_GUI_VP_PORT");
  const std::string out = Env("TAVO_GUI_VP_OUT");
  if (port.empty()) GTEST_SKIP() << "no virtual printer";
  SeedPrinter("TavoPOS-R200", "Ethernet", "");
  const std::string key = DeviceKeyPath(DeviceClass::kPOSPrinter, "TavoPOS-R200");
  reg_.WriteString(key, schema::kTcpIp, "127.0.0.1");
  reg_.WriteNumber(key, schema::kTcpPort, std::atoi(port.c_str()));
  reg_.WriteString(key, schema::kDeviceDesc, "Receipt printer");
  reg_.WriteString(key, schema::kDescription, "Tavo receipt printer service object");
  reg_.WriteString(key, schema::kVersion, "1.9.3");
  reg_.WriteString(key, schema::kInputBuf, "8192");
  reg_.WriteString(key, schema::kOutputBuf, "8192");
  reg_.WriteNumber(key, schema::kType, 1);
  reg_.WriteString(key, schema::kInf, Env("TAVO_GUI_INSTALL") + "\\TavoPOS-R200.inf");
  const std::string log = out + "\\commands.jsonl";
  std::error_code ignored;
  const auto logSize = [&] { return std::filesystem::exists(log) ? std::filesystem::file_size(log, ignored) : 0; };
  const auto before = logSize();

  Start();
  tree_->Select(Device("POSPrinter", "TavoPOS-R200"));
  Key('H');
  HWND health = nullptr;
  auto healthDialog = [&] {
    for (HWND d : ProcessDialogs(process_.dwProcessId)) {
      if (WindowText(d).rfind("Printer Check Health", 0) == 0) health = d;
    }
    return health != nullptr;
  };
  ASSERT_TRUE(WaitFor([&] { return logSize() > before; })) << "the printer was never claimed";
  if (WaitFor(healthDialog, 8000)) {
    Screenshot(health, "devsetup-check-health.bmp");
    const auto claimed = logSize();
    PostMessageA(health, WM_COMMAND, kPrinterHealthPrint, 0);
    EXPECT_TRUE(WaitFor([&] { return logSize() > claimed + 100; })) << "Print sent no test receipt";
    PostMessageA(health, WM_COMMAND, IDOK, 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(health); }));
  } else {
    std::printf("note: the Service Object showed no interactive check-health dialog\n");
  }
  Settle(main_);
  EXPECT_EQ(FindDialog(process_.dwProcessId, "devsetup"), nullptr)
      << DialogStatics(FindDialog(process_.dwProcessId, "devsetup"));
}

}  // namespace
