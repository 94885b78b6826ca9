// devsetup.exe driven through its windows: started as a technician would,
// with devices seeded in the registry, then driven by keys, buttons and
// tree selection; its message boxes are answered and the registry and
// setup.inf checked afterwards. run-devsetup-gui.sh prepares the prefix
// (package registered, Control Object stand-ins, virtual printer).
#include "tests/setup/gui/devsetup_gui_fixture.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

constexpr int kPrinterHealthPrint = 1000;   // "&Print" of the printer's check-health dialog
constexpr int kPrinterHealthResult = 1001;  // its result line

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
  Put(DeviceClass::kLineDisplay, "QDX-200", schema::kPort, "COM3");
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

  tree_->Select(Device("LineDisplay", "QDX-200"));
  Key('R');
  EXPECT_EQ(Answer("Remove Device", IDOK), "Are you sure you want to delete all setting information about QDX-200");
  EXPECT_TRUE(WaitFor([this] { return !Device("LineDisplay", "QDX-200"); }));
  EXPECT_FALSE(reg_.KeyExists(DeviceKeyPath(DeviceClass::kLineDisplay, "QDX-200")));

  // Modify with a class node selected opens nothing but rebuilds the tree.
  SeedPrinter("TavoPOS-R500", "COM4", "");
  tree_->Select(ClassNode("POSPrinter"));
  Key('M');
  EXPECT_TRUE(WaitFor([this] { return Device("POSPrinter", "TavoPOS-R500") != nullptr; }));
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

// The Control Objects are hidden hosted controls of the main window under
// their ids; the health check reaches the stand-in through them. Without
// the system's control host (its DLL disabled for devsetup alone) the
// window opens without them and the check creates the object itself.
TEST_F(DevsetupGui, CheckHealthReportsAServiceObjectThatCannotBeCreatedHostedOrNot) {
  SeedPrinter("TavoPOS-R500", "COM1", "");
  Put(DeviceClass::kPOSPrinter, "TavoPOS-R500", schema::kDefault, "Missing.ServiceObject");
  for (const char* disabled : {"", "atl"}) {
    SCOPED_TRACE(std::string("DLL disabled: ") + disabled);
    const bool hosted = !*disabled;
    Start(hosted ? nullptr : disabled);
    for (int id : {IDC_OPOS_CASHDRAWER, IDC_OPOS_POSPRINTER, IDC_OPOS_LINEDISPLAY}) {
      EXPECT_EQ(ControlClass(main_, id), hosted ? "AtlAxWin" : "<none>") << id;
      EXPECT_FALSE(IsWindowVisible(GetDlgItem(main_, id))) << id;
    }
    tree_->Select(Device("POSPrinter", "TavoPOS-R500"));
    Key('H');
    EXPECT_EQ(Answer("devsetup", IDOK), "OPOSPrinter Open Error : no Service Object \"Missing.ServiceObject\"");
    Stop();
  }
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
  ASSERT_TRUE(WaitFor(healthDialog, 60000)) << "the Service Object showed no check-health dialog";
  const auto claimed = logSize();
  PostMessageA(health, WM_COMMAND, kPrinterHealthPrint, 0);
  EXPECT_TRUE(WaitFor([&] { return logSize() > claimed + 100; })) << "Print sent no test receipt";
  HWND result = GetDlgItem(health, kPrinterHealthResult);
  EXPECT_TRUE(WaitFor([&] { return WindowText(result).rfind("Success", 0) == 0; })) << WindowText(result);
  Screenshot(health, "devsetup-check-health.bmp");
  PostMessageA(health, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(health); }));
  Settle(main_);
  EXPECT_EQ(FindDialog(process_.dwProcessId, "devsetup"), nullptr)
      << DialogStatics(FindDialog(process_.dwProcessId, "devsetup"));
}

// Check Health of a line display from the main window: the line display
// Control Object the main window hosts (the public one where the prefix
// has it) opens the entry's Service Object on the virtual customer
// display, which shows the test pattern; success shows no message, and the
// claim is given back, so the check runs again.
TEST_F(DevsetupGui, CheckHealthShowsTheTestPatternOnTheVirtualDisplay) {
  const std::string port = Env("TAVO_GUI_VD_PORT");
  if (port.empty()) GTEST_SKIP() << "no virtual customer display";
  const DeviceClass display = DeviceClass::kLineDisplay;
  const std::string key = DeviceKeyPath(display, "QDX-200");
  Put(display, "QDX-200", schema::kDefault, "Tavo.LineDisplay.ServiceObject.1.9");
  Put(display, "QDX-200", schema::kDeviceName, "QDX-200");
  Put(display, "QDX-200", schema::kDeviceDesc, "QDX-200 Customer Display");
  Put(display, "QDX-200", schema::kDescription, "Tavo OPOS LineDisplay Service Object");
  Put(display, "QDX-200", schema::kVersion, "1.9.3");
  Put(display, "QDX-200", schema::kPort, "Ethernet");
  Put(display, "QDX-200", schema::kTcpIp, "127.0.0.1");
  Put(display, "QDX-200", schema::kInputBuf, "1024");
  Put(display, "QDX-200", schema::kOutputBuf, "10240");
  Put(display, "QDX-200", schema::kInf, Env("TAVO_GUI_INSTALL") + "\\QDX-200.inf");
  ASSERT_TRUE(reg_.WriteNumber(key, schema::kTcpPort, std::atoi(port.c_str())));
  const std::string log = Env("TAVO_GUI_VP_OUT") + "\\display.jsonl";
  const auto count = [&](const std::string& needle) {
    std::ifstream in(std::filesystem::u8path(log), std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    int n = 0;
    for (size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) ++n;
    return n;
  };
  // The pattern's first row, and the blank rows of the empty window the
  // check puts back afterwards.
  const auto patterns = [&] { return count("\"0123456789ABCDEFGHIJ\""); };
  const auto restored = [&] { return count("\"text\":\"" + std::string(20, ' ') + "\""); };
  const int before = patterns();
  const int blankBefore = restored();

  Start();
  EXPECT_EQ(ControlClass(main_, IDC_OPOS_LINEDISPLAY), "AtlAxWin");
  for (int round = 1; round <= 2; ++round) {
    SCOPED_TRACE("check " + std::to_string(round));
    ASSERT_TRUE(WaitFor([this] { return Device("LineDisplay", "QDX-200") != nullptr; }));
    tree_->Select(Device("LineDisplay", "QDX-200"));
    Key('H');
    EXPECT_TRUE(WaitFor([&] { return patterns() >= before + round; }, 60000))
        << "no test pattern on the display";
    // The check pumps messages while the pattern shows: the next key waits
    // until the window is back and the check has ended.
    EXPECT_TRUE(WaitFor([&] { return restored() >= blankBefore + 2 * round; }, 60000)) << "the text was not put back";
    Settle(main_);
    HWND box = FindDialog(process_.dwProcessId, "devsetup");
    EXPECT_EQ(box, nullptr) << (box ? DialogStatics(box) : "");
    if (box) Answer("devsetup", IDOK);
  }
}

}  // namespace

namespace {

// EnumChildWindows callback: the first visible edit field into *found.
BOOL CALLBACK FindVisibleEdit(HWND child, LPARAM found) {
  char cls[16] = {};
  GetClassNameA(child, cls, sizeof cls);
  if (lstrcmpiA(cls, "Edit") != 0 || !IsWindowVisible(child)) return TRUE;
  *reinterpret_cast<HWND*>(found) = child;
  return FALSE;
}

// The menu over the main window, its file dialogs and the outcome box.
class TransferMenuGui : public DevsetupGui {
 protected:
  // Opens the menu and picks an entry by its mnemonic, then names the file
  // in the file dialog of that caption.
  void Choose(char mnemonic, const char* dialogCaption, const std::string& file) {
    PostMessageA(main_, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(main_), MAKELPARAM(200, 200));
    HWND menu = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (menu = FindWindowA("#32768", nullptr)) != nullptr && IsWindowVisible(menu); }))
        << "no menu over the window";
    PostMessageA(menu, WM_CHAR, static_cast<WPARAM>(mnemonic), 1);
    HWND dialog = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (dialog = FindDialog(process_.dwProcessId, dialogCaption)) != nullptr; }))
        << "no file dialog " << dialogCaption;
    // The file name box: the first edit field of the dialog (inside the
    // file name combo box of the Explorer-style dialog).
    HWND edit = nullptr;
    ASSERT_TRUE(WaitFor([&] {
      EnumChildWindows(dialog, FindVisibleEdit, reinterpret_cast<LPARAM>(&edit));
      return edit != nullptr;
    })) << "no file name box";
    SendMessageA(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
  }
};

TEST_F(TransferMenuGui, ExportAndARefusedImportFromTheMenu) {
  SeedPrinter("TavoPOS-R200", "COM1", "FrontTill");
  Start();
  char temp[MAX_PATH] = {};
  GetTempPathA(sizeof temp, temp);
  const std::string exported = std::string(temp) + "devsetup-gui-export.ini";
  const std::string refused = std::string(temp) + "devsetup-gui-refused.ini";
  DeleteFileA(exported.c_str());

  Choose('e', "Save As", exported);
  EXPECT_NE(Answer("devsetup", IDOK).find("exported 1 devices"), std::string::npos);
  FILE* file = std::fopen(exported.c_str(), "rb");
  ASSERT_TRUE(file) << "nothing exported";
  char head[512] = {};
  std::fread(head, 1, sizeof head - 1, file);
  std::fclose(file);
  EXPECT_NE(std::string(head).find("[DeviceSetup]"), std::string::npos);

  file = std::fopen(refused.c_str(), "wb");
  ASSERT_TRUE(file);
  std::fputs("[DeviceSetup]\r\nFormat=1\r\n[POSPrinter\\TavoPOS-R200]\r\nPort=sz:COM77\r\n[End]\r\n", file);
  std::fclose(file);
  Choose('i', "Open", refused);
  const std::string box = Answer("devsetup", IDOK);
  EXPECT_NE(box.find("The file was refused; nothing was written."), std::string::npos) << box;
  EXPECT_NE(box.find("Port: \"COM77\" is not a serial port"), std::string::npos) << box;
  std::string port;
  reg_.ReadString(DeviceKeyPath(DeviceClass::kPOSPrinter, "TavoPOS-R200"), schema::kPort, &port);
  EXPECT_EQ(port, "COM1");
  DeleteFileA(exported.c_str());
  DeleteFileA(refused.c_str());
}

}  // namespace
