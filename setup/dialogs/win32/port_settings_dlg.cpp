#include "setup/dialogs/win32/port_settings_dlg.h"

#include <commctrl.h>

#include "resources/devsetup/dialog_ids.h"
#include "setup/dialogs/win32/usb_attached.h"
#include "setup/hosting/win32/opos_controls.h"
#include "setup/ui/win32/win_message_box.h"

namespace {

using devsetup::PortInterface;

constexpr ControlPlace kLayout[] = {
    {IDC_PS_LABEL_DEVICE, 35, 80, 105, 18},     {IDC_PS_DEVICE_NAME, 140, 76, 170, 22},
    {IDC_PS_LABEL_LDN, 325, 80, 140, 18},       {IDC_PS_LDN, 465, 76, 100, 22},
    {IDC_PS_LABEL_INTERFACE, 35, 110, 105, 18}, {IDC_PS_SERIAL, 140, 108, 75, 20},
    {IDC_PS_PARALLEL, 220, 108, 80, 20},        {IDC_PS_USB, 310, 108, 60, 20},
    {IDC_PS_ETHERNET, 375, 108, 85, 20},        {IDC_PS_PORT_LABEL, 35, 140, 105, 18},
    {IDC_PS_PORT, 140, 136, 170, 160},          {IDC_PS_IP_ADDRESS, 140, 136, 170, 22},
    {IDC_PS_BAUD_LABEL, 35, 166, 105, 18},      {IDC_PS_BAUD_RATE, 140, 162, 170, 160},
    {IDC_PS_TCP_PORT, 140, 162, 170, 22},       {IDC_PS_LABEL_BITS, 35, 192, 105, 18},
    {IDC_PS_BIT_LENGTH, 140, 188, 170, 100},    {IDC_PS_LABEL_PARITY, 35, 218, 105, 18},
    {IDC_PS_PARITY, 140, 214, 170, 100},        {IDC_PS_LABEL_STOP, 35, 244, 105, 18},
    {IDC_PS_STOP_BITS, 140, 240, 170, 100},     {IDC_PS_LABEL_FLOW, 325, 140, 140, 18},
    {IDC_PS_FLOW_CONTROL, 465, 136, 100, 100},  {IDC_PS_LABEL_INPUT_BUF, 325, 166, 140, 18},
    {IDC_PS_INPUT_BUF, 465, 162, 100, 22},      {IDC_PS_LABEL_OUTPUT_BUF, 325, 192, 140, 18},
    {IDC_PS_OUTPUT_BUF, 465, 188, 100, 22},     {IDC_PS_LABEL_INTERVAL, 325, 218, 140, 18},
    {IDC_PS_OUT_INTERVAL, 465, 214, 100, 22},   {IDC_PS_LABEL_SLEEP, 325, 244, 140, 18},
    {IDC_PS_INPUT_SLEEP, 465, 240, 100, 22},    {IDC_CHECK_HEALTH_BUTTON, 40, 290, 145, 25},
    {IDOK, 268, 290, 145, 25},                  {IDCANCEL, 420, 290, 145, 25},
};

// The interface buttons in the order of PortInterface.
constexpr int kInterfaceIds[devsetup::kInterfaceCount] = {IDC_PS_SERIAL, IDC_PS_PARALLEL, IDC_PS_USB,
                                                          IDC_PS_ETHERNET};
constexpr int kSerialListIds[] = {IDC_PS_BAUD_RATE, IDC_PS_BIT_LENGTH, IDC_PS_PARITY, IDC_PS_STOP_BITS,
                                  IDC_PS_FLOW_CONTROL};

struct BoxField {
  int id;
  std::string devsetup::PortForm::*text;
};
constexpr BoxField kBoxes[] = {
    {IDC_PS_LDN, &devsetup::PortForm::ldn},
    {IDC_PS_TCP_PORT, &devsetup::PortForm::tcpPort},
    {IDC_PS_INPUT_BUF, &devsetup::PortForm::inputBuf},
    {IDC_PS_OUTPUT_BUF, &devsetup::PortForm::outputBuf},
    {IDC_PS_OUT_INTERVAL, &devsetup::PortForm::outInterval},
    {IDC_PS_INPUT_SLEEP, &devsetup::PortForm::inputSleep},
};

struct ListField {
  int id;
  devsetup::ChoiceList devsetup::PortForm::*list;
};
constexpr ListField kLists[] = {
    {IDC_PS_PORT, &devsetup::PortForm::port},           {IDC_PS_BAUD_RATE, &devsetup::PortForm::baudRate},
    {IDC_PS_BIT_LENGTH, &devsetup::PortForm::bitLength}, {IDC_PS_PARITY, &devsetup::PortForm::parity},
    {IDC_PS_STOP_BITS, &devsetup::PortForm::stopBits},  {IDC_PS_FLOW_CONTROL, &devsetup::PortForm::flowControl},
};

std::unique_ptr<IOposControl> ControlFor(device_rules::DeviceClass deviceClass, HWND dialog) {
  if (deviceClass == device_rules::DeviceClass::kPOSPrinter) return std::make_unique<COPOSPOSPrinter>(dialog);
  return std::make_unique<COPOSLineDisplay>(dialog);
}

}  // namespace

CPortSettingsDlg::CPortSettingsDlg(const CRegistryAccess& reg, device_rules::DeviceClass deviceClass,
                                   const std::string& deviceName, bool isNew)
    : CSkinnedDialog(IDD_PORT_SETTINGS),
      deviceClass_(deviceClass),
      rules_(reg, deviceClass, deviceName, isNew, AttachedUsbPrinters()) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_INTERNET_CLASSES};
  InitCommonControlsEx(&controls);
}

CPortSettingsDlg::~CPortSettingsDlg() = default;

BOOL CPortSettingsDlg::OnInitDialog() {
  CSkinnedDialog::OnInitDialog();
  PlaceControls(Handle(), kLayout);
  SetTransparentLabels({IDC_PS_LABEL_DEVICE, IDC_PS_LABEL_LDN, IDC_PS_LABEL_INTERFACE, IDC_PS_SERIAL,
                        IDC_PS_PARALLEL, IDC_PS_USB, IDC_PS_ETHERNET, IDC_PS_PORT_LABEL, IDC_PS_BAUD_LABEL,
                        IDC_PS_LABEL_BITS, IDC_PS_LABEL_PARITY, IDC_PS_LABEL_STOP, IDC_PS_LABEL_FLOW,
                        IDC_PS_LABEL_INPUT_BUF, IDC_PS_LABEL_OUTPUT_BUF, IDC_PS_LABEL_INTERVAL,
                        IDC_PS_LABEL_SLEEP});
  SetUpButton(ok_, IDOK, "OK", 62);
  SetUpButton(cancel_, IDCANCEL, "CANCEL", 45);
  SetUpButton(health_, IDC_CHECK_HEALTH_BUTTON, "CheckHealth", 35);
  SendMessageA(Item(IDC_PS_TCP_PORT), EM_LIMITTEXT, 5, 0);
  control_ = ControlFor(deviceClass_, Handle());
  CWinMessageBox box(Handle());
  if (!rules_.Open(box)) {
    End(IDCANCEL);
    return TRUE;
  }
  Show();
  SetFocus(Item(IDC_PS_LDN));
  return FALSE;
}

void CPortSettingsDlg::ShowList(int id, const devsetup::ChoiceList& list) {
  HWND combo = Item(id);
  SendMessageA(combo, CB_RESETCONTENT, 0, 0);
  for (const std::string& text : list.texts) SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(list.selected), 0);
}

int CPortSettingsDlg::Selection(int id) const {
  return static_cast<int>(SendMessageA(Item(id), CB_GETCURSEL, 0, 0));
}

void CPortSettingsDlg::Show() {
  devsetup::PortForm& f = rules_.Form();
  SetItemText(IDC_PS_DEVICE_NAME, f.deviceName);
  for (const BoxField& b : kBoxes) SetItemText(b.id, f.*b.text);
  for (const ListField& l : kLists) ShowList(l.id, f.*l.list);
  for (int i = 0; i < devsetup::kInterfaceCount; ++i) EnableWindow(Item(kInterfaceIds[i]), f.interfaceEnabled[i]);
  CheckRadioButton(Handle(), IDC_PS_SERIAL, IDC_PS_PARALLEL, kInterfaceIds[static_cast<int>(f.iface)]);
  for (int id : kSerialListIds) EnableWindow(Item(id), f.SerialListsEnabled());
  const int listShow = f.Ethernet() ? SW_HIDE : SW_SHOW, ethernetShow = f.Ethernet() ? SW_SHOW : SW_HIDE;
  ShowWindow(Item(IDC_PS_PORT), listShow);
  ShowWindow(Item(IDC_PS_BAUD_RATE), listShow);
  ShowWindow(Item(IDC_PS_IP_ADDRESS), ethernetShow);
  ShowWindow(Item(IDC_PS_TCP_PORT), ethernetShow);
  SetItemText(IDC_PS_PORT_LABEL, f.PortLabel());
  SetItemText(IDC_PS_BAUD_LABEL, f.BaudLabel());
  SendMessageA(Item(IDC_PS_IP_ADDRESS), IPM_SETADDRESS, 0, MAKEIPADDRESS(f.ip[0], f.ip[1], f.ip[2], f.ip[3]));
  InvalidateRect(Handle(), nullptr, TRUE);
}

void CPortSettingsDlg::Collect() {
  devsetup::PortForm& f = rules_.Form();
  for (const BoxField& b : kBoxes) f.*b.text = ItemText(b.id);
  for (const ListField& l : kLists) (f.*l.list).selected = Selection(l.id);
  DWORD address = 0;
  SendMessageA(Item(IDC_PS_IP_ADDRESS), IPM_GETADDRESS, 0, reinterpret_cast<LPARAM>(&address));
  f.ip = {FIRST_IPADDRESS(address), SECOND_IPADDRESS(address), THIRD_IPADDRESS(address), FOURTH_IPADDRESS(address)};
}

void CPortSettingsDlg::OnCommand(int id, int notifyCode) {
  CWinMessageBox box(Handle());
  for (int i = 0; i < devsetup::kInterfaceCount; ++i) {
    if (id == kInterfaceIds[i] && notifyCode == BN_CLICKED) {
      Collect();
      rules_.ChooseInterface(static_cast<PortInterface>(i), box);
      Show();
      return;
    }
  }
  switch (id) {
    case IDC_PS_PORT:
      if (notifyCode != CBN_SELCHANGE) return;
      Collect();
      rules_.PickPort(Selection(IDC_PS_PORT), box);
      Show();
      return;
    case IDOK:
      Collect();
      if (rules_.Ok(box)) End(IDOK);
      return;
    case IDCANCEL:
      rules_.Cancel();
      End(IDCANCEL);
      return;
    case IDC_CHECK_HEALTH_BUTTON:
      Collect();
      rules_.CheckHealth(box, *control_);
      Show();
      return;
    default:
      return;
  }
}

// The hosted control goes with its window; the reference is dropped first.
bool CPortSettingsDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
  if (message == WM_DESTROY) control_.reset();
  return CSkinnedDialog::OnMessage(message, wParam, lParam, result);
}
