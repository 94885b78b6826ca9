#include "setup/main/win32/port_range_dlg.h"

#include <commctrl.h>

#include "resources/devsetup/resource.h"
#include "setup/ui/win32/win_message_box.h"

namespace {

// The controls on the dialog background's card and below it.
constexpr ControlPlace kLayout[] = {
    {IDC_SERIAL_LABEL, 150, 124, 150, 18},   {IDC_SERIAL_COUNT, 310, 120, 80, 24},
    {IDC_SERIAL_RANGE, 410, 124, 80, 18},    {IDC_PARALLEL_LABEL, 150, 174, 150, 18},
    {IDC_PARALLEL_COUNT, 310, 170, 80, 24},  {IDC_PARALLEL_RANGE, 410, 174, 80, 18},
    {IDC_RANGE_DEFAULT, 36, 290, 145, 25},   {IDOK, 227, 290, 145, 25},
    {IDCANCEL, 419, 290, 145, 25},
};

}  // namespace

CPortRangeDlg::CPortRangeDlg(const CRegistryAccess& reg) : CSkinnedDialog(IDD_PORT_RANGE), rules_(reg) {}

BOOL CPortRangeDlg::OnInitDialog() {
  CSkinnedDialog::OnInitDialog();
  PlaceControls(Handle(), kLayout);
  SetTransparentLabels({IDC_SERIAL_LABEL, IDC_SERIAL_RANGE, IDC_PARALLEL_LABEL, IDC_PARALLEL_RANGE});
  SetUpButton(save_, IDOK, "SAVE", 57);
  SetUpButton(cancel_, IDCANCEL, "CANCEL", 52);
  SetUpButton(default_, IDC_RANGE_DEFAULT, "Default", 55);
  // The up-down controls follow their edit fields to the new places.
  SendMessageA(Item(IDC_SERIAL_SPIN), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(IDC_SERIAL_COUNT)), 0);
  SendMessageA(Item(IDC_PARALLEL_SPIN), UDM_SETBUDDY, reinterpret_cast<WPARAM>(Item(IDC_PARALLEL_COUNT)), 0);
  SendMessageA(Item(IDC_SERIAL_SPIN), UDM_SETRANGE32, devsetup::kSerialRange.low, devsetup::kSerialRange.high);
  SendMessageA(Item(IDC_PARALLEL_SPIN), UDM_SETRANGE32, devsetup::kParallelRange.low, devsetup::kParallelRange.high);
  ShowCounts();
  return TRUE;
}

void CPortRangeDlg::ShowCounts() {
  SendMessageA(Item(IDC_SERIAL_SPIN), UDM_SETPOS32, 0, rules_.Serial());
  SendMessageA(Item(IDC_PARALLEL_SPIN), UDM_SETPOS32, 0, rules_.Parallel());
  SetDlgItemInt(Handle(), IDC_SERIAL_COUNT, static_cast<UINT>(rules_.Serial()), FALSE);
  SetDlgItemInt(Handle(), IDC_PARALLEL_COUNT, static_cast<UINT>(rules_.Parallel()), FALSE);
}

void CPortRangeDlg::OnCommand(int id, int) {
  switch (id) {
    case IDOK: {
      CWinMessageBox box(Handle());
      if (rules_.Save(ItemText(IDC_SERIAL_COUNT), ItemText(IDC_PARALLEL_COUNT), box)) End(IDOK);
      break;
    }
    case IDCANCEL:
      End(IDCANCEL);
      break;
    case IDC_RANGE_DEFAULT:
      rules_.Defaults();
      ShowCounts();
      break;
    default:
      break;
  }
}
