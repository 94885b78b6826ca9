// CSelectModelDlg: the first step of adding a printer or line display, a
// plain modal dialog over CSelectModelRules.
#pragma once

#include <string>

#include "setup/dialogs/select_model.h"
#include "setup/ui/win32/dialog_base.h"

class CSelectModelDlg : public CDialogBase {
 public:
  CSelectModelDlg(const CRegistryAccess& reg, device_rules::DeviceClass deviceClass);
  // Valid after the dialog ended with IDOK.
  const std::string& NewDeviceName() const { return rules_.NewDeviceName(); }

 protected:
  BOOL OnInitDialog() override;
  void OnCommand(int id, int notifyCode) override;

 private:
  devsetup::CSelectModelRules rules_;
};
