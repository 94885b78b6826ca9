// CCashDrawerDlg: the cash drawer settings dialog, the view of
// CCashDrawerRules. It hosts the cash drawer Control Object for the
// health check.
#pragma once

#include <memory>
#include <string>

#include "setup/dialogs/cash_drawer.h"
#include "setup/skin/win32/skinned_dialog.h"

class IOposControl;

class CCashDrawerDlg : public CSkinnedDialog {
 public:
  explicit CCashDrawerDlg(devsetup::CCashDrawerRules rules);
  ~CCashDrawerDlg() override;

 protected:
  BOOL OnInitDialog() override;
  void OnCommand(int id, int notifyCode) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

 private:
  void Show();
  void Collect();

  devsetup::CCashDrawerRules rules_;
  std::unique_ptr<IOposControl> control_;
  CSkinButton apply_, ok_, cancel_, health_;
  bool showing_ = false;  // edits made by Show are not the user's changes
};
