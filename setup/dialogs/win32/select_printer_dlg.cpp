#include "setup/dialogs/win32/select_printer_dlg.h"

#include "resources/devsetup/dialog_ids.h"
#include "setup/ui/win32/win_message_box.h"

namespace {
constexpr ControlPlace kLayout[] = {
    {IDC_PRINTER_LABEL, 40, 80, 400, 18},
    {IDC_PRINTER_LIST, 40, 102, 520, 150},
    {IDCANCEL, 420, 290, 145, 25},
};
}  // namespace

CSelectPrinterDlg::CSelectPrinterDlg(const CRegistryAccess& reg)
    : CSkinnedDialog(IDD_SELECT_PRINTER), rules_(reg) {}

BOOL CSelectPrinterDlg::OnInitDialog() {
  CSkinnedDialog::OnInitDialog();
  PlaceControls(Handle(), kLayout);
  SetTransparentLabels({IDC_PRINTER_LABEL});
  SetUpButton(cancel_, IDCANCEL, "Cancel", 58);
  // In the rules' order: the list's positions are the rules' positions.
  for (const std::string& name : rules_.Printers()) {
    SendMessageA(Item(IDC_PRINTER_LIST), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
  }
  CWinMessageBox box(Handle());
  if (!rules_.Start(box)) End(IDCANCEL);
  return TRUE;
}

void CSelectPrinterDlg::OnCommand(int id, int notifyCode) {
  if (id == IDCANCEL) {
    End(IDCANCEL);
  } else if (id == IDC_PRINTER_LIST && notifyCode == LBN_SELCHANGE) {
    selected_ = rules_.Select(static_cast<int>(SendMessageA(Item(IDC_PRINTER_LIST), LB_GETCURSEL, 0, 0)));
    if (!selected_.empty()) End(IDOK);
  }
}
