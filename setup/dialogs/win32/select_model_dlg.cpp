#include "setup/dialogs/win32/select_model_dlg.h"

#include "resources/devsetup/dialog_ids.h"
#include "setup/ui/win32/win_message_box.h"

CSelectModelDlg::CSelectModelDlg(const CRegistryAccess& reg, device_rules::DeviceClass deviceClass)
    : CDialogBase(IDD_SELECT_MODEL), rules_(reg, deviceClass) {}

BOOL CSelectModelDlg::OnInitDialog() {
  for (const std::string& model : rules_.Models()) {
    SendMessageA(Item(IDC_MODEL_LIST), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(model.c_str()));
  }
  return TRUE;
}

void CSelectModelDlg::OnCommand(int id, int) {
  if (id == IDCANCEL) {
    End(IDCANCEL);
  } else if (id == IDOK) {
    CWinMessageBox box(Handle());
    const int selected = static_cast<int>(SendMessageA(Item(IDC_MODEL_LIST), LB_GETCURSEL, 0, 0));
    if (rules_.Next(selected, box)) End(IDOK);
  }
}
