#include "service/server/health_dialog.h"

#include <string>

#include "resources/ptrservice/health_dialog_ids.h"

namespace server {

void CHealthDialog::OnInitDialog() {
  CenterOnScreen();
  SetWindowTextA(Window(), rules_.Caption().c_str());
  SetText(IDC_IDENTITY_VALUES, rules_.Values().c_str());
  Refresh();
}

void CHealthDialog::Refresh() {
  SetText(IDC_POWER_STATE, rules_.PowerLine().c_str());
  const std::vector<bool> boxes = rules_.StatusBoxes();
  for (size_t i = 0; i < boxes.size() && i < layout_.statusBoxes.size(); ++i) SetCheck(layout_.statusBoxes[i], boxes[i]);
  SetTimer(Window(), CHealthDialogRules::kTimerId, CHealthDialogRules::kRefreshMs, nullptr);
}

void CHealthDialog::OnTimer(UINT_PTR id) {
  if (id == CHealthDialogRules::kTimerId) Refresh();
}

bool CHealthDialog::OnCommand(int id) {
  if (id != layout_.testButton) return false;
  const std::string result = rules_.Press([this](const std::string& progress) {
    SetText(IDC_TEST_RESULT, progress.c_str());
    UpdateWindow(Window());
  });
  SetText(IDC_TEST_RESULT, result.c_str());
  return true;
}

}  // namespace server
