// The view of a check-health dialog: moves the rules' texts and status
// boxes into the controls on opening and every 500 ms, and runs the test on
// a press of the test button. CCashDrawerHealthDlg and CPrinterHealthDlg
// give it their template and controls.
#pragma once

#include <vector>

#include "service/common/health_dialog_rules.h"
#include "service/server/dialog_base.h"

namespace server {

struct HealthDialogLayout {
  int templateId;
  int testButton;
  std::vector<int> statusBoxes;  // in the rules' order
};

class CHealthDialog : public CDialogBase {
 public:
  CHealthDialog(CHealthDialogRules& rules, const HealthDialogLayout& layout) : rules_(rules), layout_(layout) {}

  // Shows the dialog modally from the module that holds the templates.
  void Run(HINSTANCE instance) { RunModal(instance, layout_.templateId); }

 protected:
  void OnInitDialog() override;
  bool OnCommand(int id) override;
  void OnTimer(UINT_PTR id) override;

 private:
  void Refresh();

  CHealthDialogRules& rules_;
  const HealthDialogLayout layout_;
};

}  // namespace server
