#include "setup/dialogs/win32/cash_drawer_dlg.h"

#include "resources/devsetup/dialog_ids.h"
#include "setup/hosting/win32/opos_controls.h"
#include "setup/ui/win32/win_message_box.h"

namespace {

constexpr ControlPlace kLayout[] = {
    {IDC_CD_LABEL_PRINTER, 35, 84, 150, 18},     {IDC_CD_PRINTER, 185, 80, 135, 22},
    {IDC_CD_LABEL_DRAWER, 340, 84, 85, 18},      {IDC_CD_DRAWER, 425, 80, 140, 22},
    {IDC_CD_LABEL_LDN, 35, 118, 150, 18},        {IDC_CD_LDN, 185, 114, 135, 22},
    {IDC_CD_PIN_GROUP, 35, 148, 250, 50},        {IDC_CD_PIN_2, 50, 168, 100, 20},
    {IDC_CD_PIN_5, 160, 168, 100, 20},           {IDC_CD_LEVEL_GROUP, 315, 148, 250, 50},
    {IDC_CD_LEVEL_LOW, 330, 168, 100, 20},       {IDC_CD_LEVEL_HIGH, 440, 168, 100, 20},
    {IDC_CD_LABEL_PULSE_ON, 35, 220, 150, 18},   {IDC_CD_PULSE_ON, 185, 216, 100, 22},
    {IDC_CD_LABEL_PULSE_OFF, 315, 220, 110, 18}, {IDC_CD_PULSE_OFF, 430, 216, 100, 22},
    {IDC_CD_APPLY, 10, 292, 145, 25},            {IDOK, 155, 292, 145, 25},
    {IDCANCEL, 300, 292, 145, 25},               {IDC_CHECK_HEALTH_BUTTON, 445, 292, 145, 25},
};

bool IsChangeOf(int id, int notifyCode) {
  switch (id) {
    case IDC_CD_LDN:
    case IDC_CD_PULSE_ON:
    case IDC_CD_PULSE_OFF: return notifyCode == EN_CHANGE;
    case IDC_CD_PIN_2:
    case IDC_CD_PIN_5:
    case IDC_CD_LEVEL_LOW:
    case IDC_CD_LEVEL_HIGH: return notifyCode == BN_CLICKED;
    default: return false;
  }
}

}  // namespace

CCashDrawerDlg::CCashDrawerDlg(devsetup::CCashDrawerRules rules)
    : CSkinnedDialog(IDD_CASH_DRAWER), rules_(std::move(rules)) {}

CCashDrawerDlg::~CCashDrawerDlg() = default;

BOOL CCashDrawerDlg::OnInitDialog() {
  CSkinnedDialog::OnInitDialog();
  PlaceControls(Handle(), kLayout);
  SetTransparentLabels({IDC_CD_LABEL_PRINTER, IDC_CD_LABEL_DRAWER, IDC_CD_LABEL_LDN, IDC_CD_PIN_GROUP,
                        IDC_CD_PIN_2, IDC_CD_PIN_5, IDC_CD_LEVEL_GROUP, IDC_CD_LEVEL_LOW, IDC_CD_LEVEL_HIGH,
                        IDC_CD_LABEL_PULSE_ON, IDC_CD_LABEL_PULSE_OFF});
  SetUpButton(apply_, IDC_CD_APPLY, "SAVE", 55);
  SetUpButton(ok_, IDOK, "OK", 62);
  SetUpButton(cancel_, IDCANCEL, "CANCEL", 45);
  SetUpButton(health_, IDC_CHECK_HEALTH_BUTTON, "CheckHealth", 35);
  control_ = std::make_unique<COPOSCashDrawer>(Handle());
  Show();
  SetFocus(Item(IDC_CD_LDN));
  return FALSE;
}

void CCashDrawerDlg::Show() {
  const devsetup::CashDrawerForm& f = rules_.Form();
  showing_ = true;
  SetItemText(IDC_CD_PRINTER, f.printer);
  SetItemText(IDC_CD_DRAWER, f.drawer);
  SetItemText(IDC_CD_LDN, f.settings.ldn);
  SetItemText(IDC_CD_PULSE_ON, f.settings.pulseOnTime);
  SetItemText(IDC_CD_PULSE_OFF, f.settings.pulseOffTime);
  CheckRadioButton(Handle(), IDC_CD_PIN_2, IDC_CD_PIN_5, f.settings.pinNo == 0 ? IDC_CD_PIN_2 : IDC_CD_PIN_5);
  CheckRadioButton(Handle(), IDC_CD_LEVEL_LOW, IDC_CD_LEVEL_HIGH,
                   f.settings.openLevel == 0 ? IDC_CD_LEVEL_LOW : IDC_CD_LEVEL_HIGH);
  EnableWindow(Item(IDC_CD_APPLY), f.applyEnabled);
  showing_ = false;
}

void CCashDrawerDlg::Collect() {
  devsetup::CashDrawerForm& f = rules_.Form();
  f.settings.ldn = ItemText(IDC_CD_LDN);
  f.settings.pulseOnTime = ItemText(IDC_CD_PULSE_ON);
  f.settings.pulseOffTime = ItemText(IDC_CD_PULSE_OFF);
  f.settings.pinNo = IsDlgButtonChecked(Handle(), IDC_CD_PIN_2) == BST_CHECKED ? 0 : 1;
  f.settings.openLevel = IsDlgButtonChecked(Handle(), IDC_CD_LEVEL_HIGH) == BST_CHECKED ? 1 : 0;
}

void CCashDrawerDlg::OnCommand(int id, int notifyCode) {
  if (IsChangeOf(id, notifyCode)) {
    if (!showing_) {
      rules_.Changed();
      EnableWindow(Item(IDC_CD_APPLY), TRUE);
    }
    return;
  }
  CWinMessageBox box(Handle());
  switch (id) {
    case IDC_CD_APPLY:
      Collect();
      rules_.Apply(box);
      Show();
      return;
    case IDOK:
      Collect();
      if (rules_.Ok(box)) End(IDOK);
      return;
    case IDCANCEL:
      End(IDCANCEL);
      return;
    case IDC_CHECK_HEALTH_BUTTON:
      rules_.CheckHealth(box, *control_);
      return;
    default:
      return;
  }
}

// The hosted control goes with its window; the reference is dropped first.
bool CCashDrawerDlg::OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
  if (message == WM_DESTROY) control_.reset();
  return CSkinnedDialog::OnMessage(message, wParam, lParam, result);
}
