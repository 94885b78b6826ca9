// The add-device wizard, the port settings dialog and the cash drawer
// dialog driven through devsetup.exe's windows: devices are added from an
// empty registry, set to each interface, reopened with Modify and checked
// in the registry.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "resources/devsetup/dialog_ids.h"
#include "tests/e2e/printer_session.h"
#include "tests/setup/gui/devsetup_gui_fixture.h"
#include "tools/com/event_sink.h"

namespace {

const DeviceClass kPrinter = DeviceClass::kPOSPrinter;

class DeviceDialogsGui : public DevsetupGui {
 protected:
  HWND WaitDialog(int controlId, const std::string& caption = "") {
    HWND dialog = nullptr;
    WaitFor([&] { return (dialog = FindDialog(process_.dwProcessId, caption, controlId)) != nullptr; });
    return dialog;
  }
  // Sent, so the next message to the dialog finds the command done; a
  // command that opens a message box is left running after a while, for
  // the box to be answered.
  void Command(HWND dialog, int id, int notifyCode = BN_CLICKED) {
    SendMessageTimeoutA(dialog, WM_COMMAND, MAKEWPARAM(id, notifyCode), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)),
                        SMTO_NORMAL, 1500, nullptr);
  }
  void Type(HWND dialog, int id, const char* text) {
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  }
  void Pick(HWND dialog, int comboId, int index) {
    SendMessageA(GetDlgItem(dialog, comboId), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Command(dialog, comboId, CBN_SELCHANGE);
  }
  std::string Shown(HWND dialog, int id) { return WindowText(GetDlgItem(dialog, id)); }
  // Ends a dialog by a button whose message box answers with text.
  std::string Close(HWND dialog, int button) {
    Command(dialog, button);
    const std::string text = Answer("devsetup", IDOK);
    WaitFor([&] { return !IsWindow(dialog); });
    return text;
  }
  // "Add Printer": the model at index, "Next"; the port settings dialog.
  HWND AddPrinter(int model, const char* shot = nullptr) {
    Key('P');
    HWND wizard = WaitDialog(IDC_MODEL_LIST, "Select Device Model ");
    if (!wizard) return nullptr;
    SendMessageA(GetDlgItem(wizard, IDC_MODEL_LIST), LB_SETCURSEL, static_cast<WPARAM>(model), 0);
    if (shot) Screenshot(wizard, shot);
    Command(wizard, IDOK);
    return WaitDialog(IDC_PS_LDN);
  }
  HWND Modify(const std::string& name) {
    tree_->Select(Device("POSPrinter", name));
    Key('M');
    return WaitDialog(IDC_PS_LDN);
  }
  std::string Value(const std::string& device, const char* name) {
    std::string text = "<none>";
    reg_.ReadString(DeviceKeyPath(kPrinter, device), name, &text);
    return text;
  }
};

TEST_F(DeviceDialogsGui, PrintersAreAddedOnEachInterfaceAndReopenWithTheirValues) {
  Start();
  HWND dialog = AddPrinter(0, "devsetup-select-model.bmp");
  ASSERT_TRUE(dialog) << "no port settings dialog after Next";
  EXPECT_EQ(ControlClass(dialog, IDC_OPOS_POSPRINTER), "AtlAxWin");
  EXPECT_EQ(ControlClass(dialog, IDC_OPOS_LINEDISPLAY), "AtlAxWin");
  EXPECT_EQ(Shown(dialog, IDC_PS_DEVICE_NAME), "TavoPOS-R200");
  EXPECT_EQ(Shown(dialog, IDC_PS_PORT), "COM1");
  Pick(dialog, IDC_PS_BAUD_RATE, 3);
  Pick(dialog, IDC_PS_PARITY, 1);
  Type(dialog, IDC_PS_LDN, "FrontTill");
  Screenshot(dialog, "devsetup-port-serial.bmp");
  EXPECT_EQ(Close(dialog, IDOK), "Installed Success!");
  EXPECT_EQ(Value("TavoPOS-R200", "BaudRate"), "57600");
  EXPECT_EQ(Value("TavoPOS-R200", "Parity"), "1");

  dialog = AddPrinter(0);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(Shown(dialog, IDC_PS_DEVICE_NAME), "TavoPOS-R200_1");
  Pick(dialog, IDC_PS_PORT, 1);
  Pick(dialog, IDC_PS_PORT, 0);
  EXPECT_EQ(Answer("devsetup", IDOK), "Failed : Other device used port : COM1");
  EXPECT_EQ(Shown(dialog, IDC_PS_PORT), "COM2");
  Command(dialog, IDC_PS_USB);
  EXPECT_EQ(Answer("devsetup", IDOK), "Not Connect USB Device and Power off!");
  EXPECT_EQ(Shown(dialog, IDC_PS_INPUT_BUF), "4096");
  Command(dialog, IDC_PS_PARALLEL);
  Pick(dialog, IDC_PS_PORT, 1);
  Screenshot(dialog, "devsetup-port-parallel.bmp");
  EXPECT_EQ(Close(dialog, IDOK), "Installed Success!");
  EXPECT_EQ(Value("TavoPOS-R200_1", "Port"), "LPT2");

  ASSERT_TRUE(WaitFor([this] { return Device("POSPrinter", "TavoPOS-R200_1") != nullptr; }));
  dialog = Modify("TavoPOS-R200_1");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(Shown(dialog, IDC_PS_PORT), "LPT2");
  Command(dialog, IDC_PS_ETHERNET);
  Settle(dialog);
  SendMessageA(GetDlgItem(dialog, IDC_PS_IP_ADDRESS), IPM_SETADDRESS, 0, MAKEIPADDRESS(192, 168, 0, 10));
  Type(dialog, IDC_PS_TCP_PORT, "9100");
  Screenshot(dialog, "devsetup-port-ethernet.bmp");
  EXPECT_EQ(Close(dialog, IDOK), "Installed Success!");
  EXPECT_EQ(Value("TavoPOS-R200_1", "Port"), "Ethernet");
  EXPECT_EQ(Value("TavoPOS-R200_1", "TcpIp"), "192.168.0.10");

  dialog = Modify("TavoPOS-R200");
  ASSERT_TRUE(dialog);
  EXPECT_EQ(Shown(dialog, IDC_PS_BAUD_RATE), "57600");
  EXPECT_EQ(Shown(dialog, IDC_PS_PARITY), "EVEN");
  EXPECT_EQ(Shown(dialog, IDC_PS_LDN), "FrontTill");
  Command(dialog, IDCANCEL);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_TRUE(reg_.KeyExists(DeviceKeyPath(kPrinter, "TavoPOS-R200")));

  // Cancel of a new device takes its entry away again.
  dialog = AddPrinter(1);
  ASSERT_TRUE(dialog);
  Command(dialog, IDCANCEL);
  ASSERT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));
  EXPECT_FALSE(reg_.KeyExists(DeviceKeyPath(kPrinter, "TavoPOS-R300")));

  // The R500 offers no USB interface.
  dialog = AddPrinter(2);
  ASSERT_TRUE(dialog);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_PS_USB)));
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, IDC_PS_ETHERNET)));
  EXPECT_EQ(Close(dialog, IDOK), "Installed Success!");
  EXPECT_EQ(Value("TavoPOS-R500", "DeviceName"), "TavoPOS-R500");
}

TEST_F(DeviceDialogsGui, ADrawerIsAddedToAPrinterOnTheVirtualPrinter) {
  const std::string port = Env("TAVO_GUI_VP_PORT");
  Start();
  HWND dialog = AddPrinter(0);
  ASSERT_TRUE(dialog);
  Command(dialog, IDC_PS_ETHERNET);
  Settle(dialog);
  SendMessageA(GetDlgItem(dialog, IDC_PS_IP_ADDRESS), IPM_SETADDRESS, 0, MAKEIPADDRESS(127, 0, 0, 1));
  Type(dialog, IDC_PS_TCP_PORT, port.empty() ? "9100" : port.c_str());
  EXPECT_EQ(Close(dialog, IDOK), "Installed Success!");

  Key('C');
  HWND printers = WaitDialog(IDC_PRINTER_LIST);
  ASSERT_TRUE(printers);
  Screenshot(printers, "devsetup-select-printer.bmp");
  PostMessageA(GetDlgItem(printers, IDC_PRINTER_LIST), WM_KEYDOWN, VK_DOWN, 1);
  HWND drawer = WaitDialog(IDC_CD_PULSE_ON);
  ASSERT_TRUE(drawer) << "choosing the printer did not open the drawer dialog";
  EXPECT_EQ(ControlClass(drawer, IDC_OPOS_CASHDRAWER), "AtlAxWin");
  EXPECT_EQ(Shown(drawer, IDC_CD_PRINTER), "TavoPOS-R200");
  EXPECT_EQ(Shown(drawer, IDC_CD_PULSE_ON), "400");
  SendMessageA(GetDlgItem(drawer, IDC_CD_PIN_5), BM_SETCHECK, BST_UNCHECKED, 0);
  SendMessageA(GetDlgItem(drawer, IDC_CD_PIN_2), BM_SETCHECK, BST_CHECKED, 0);
  Type(drawer, IDC_CD_LDN, "Drawer1");
  Screenshot(drawer, "devsetup-cash-drawer.bmp");
  EXPECT_EQ(Close(drawer, IDOK), "CashDrawer Installed Success!");
  const std::string key = DeviceKeyPath(DeviceClass::kCashDrawer, "CashDrawer");
  std::string text;
  EXPECT_TRUE(reg_.ReadString(key, "POSPrinter", &text) && text == "TavoPOS-R200");
  EXPECT_TRUE(reg_.ReadString(key, "ConnectorPinNo", &text) && text == "0");
  EXPECT_TRUE(reg_.ReadString(ClassKeyPath(DeviceClass::kCashDrawer), "Drawer1", &text) && text == "CashDrawer");

  // Check Health of the printer from its dialog reaches the virtual printer.
  if (port.empty()) GTEST_SKIP() << "no virtual printer";
  const std::string log = Env("TAVO_GUI_VP_OUT") + "\\commands.jsonl";
  std::error_code ignored;
  const auto logSize = [&] { return std::filesystem::exists(log) ? std::filesystem::file_size(log, ignored) : 0; };
  const auto before = logSize();
  ASSERT_TRUE(WaitFor([this] { return Device("POSPrinter", "TavoPOS-R200") != nullptr; }));
  dialog = Modify("TavoPOS-R200");
  ASSERT_TRUE(dialog);
  Command(dialog, IDC_CHECK_HEALTH_BUTTON);
  EXPECT_TRUE(WaitFor([&] { return logSize() > before; })) << "the printer was never claimed";
  HWND health = nullptr;
  ASSERT_TRUE(WaitFor([&] {
    for (HWND d : ProcessDialogs(process_.dwProcessId)) {
      if (WindowText(d).rfind("Printer Check Health", 0) == 0) health = d;
    }
    return health != nullptr;
  }, 60000)) << "the Service Object showed no check-health dialog";
  PostMessageA(health, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(health); }));
  Command(dialog, IDCANCEL);
  EXPECT_TRUE(WaitFor([&] { return !IsWindow(dialog); }));

  // An application's view of that entry: the Service Object created by its
  // ProgID prints on the virtual printer.
  ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
  {
    PrinterSession printer;
    ASSERT_TRUE(printer.Create());
    CEventSink* sink = new CEventSink();
    EXPECT_EQ(printer.Open("TavoPOS-R200", sink), 0);
    EXPECT_EQ(printer.Claim(), 0);
    printer.SetNumber(PIDX_DeviceEnabled, 1);
    EXPECT_EQ(printer.PrintNormal("Receipt of a printer set up through devsetup\n"), 0);
    const auto logHas = [&](const char* needle) {
      return [&log, needle] {
        std::ifstream in(std::filesystem::u8path(log), std::ios::binary);
        const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
        return text.find(needle) != std::string::npos;
      };
    };
    EXPECT_TRUE(WaitFor(logHas("set up through devsetup"))) << "the receipt did not reach the virtual printer";

    // The drawer set up on that printer opens through its own ProgID: the
    // kick goes out on the printer's port.
    PrinterSession drawer;
    ASSERT_TRUE(drawer.Create(nullptr, kDrawerProgId));
    CEventSink* drawerSink = new CEventSink();
    EXPECT_EQ(drawer.Open("CashDrawer", drawerSink), 0);
    EXPECT_EQ(drawer.Claim(), 0);
    drawer.SetNumber(PIDX_DeviceEnabled, 1);
    EXPECT_EQ(drawer.Call(L"OpenDrawer", {}), 0);
    EXPECT_TRUE(WaitFor(logHas("\"cmd\":\"drawer-kick\""))) << "the drawer's kick did not reach the virtual printer";
    drawer.Close();
    drawerSink->Release();
    printer.Close();
    sink->Release();
  }
  CoUninitialize();
}

}  // namespace
