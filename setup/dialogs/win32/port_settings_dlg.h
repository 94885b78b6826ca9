// CPortSettingsDlg: the port settings dialog of one printer or line
// display. The view of CPortSettingsRules: the form goes into the controls
// after every action and comes back from them before it. It hosts the
// Control Object of the device's class for the health check.
#pragma once

#include <memory>
#include <string>

#include "setup/dialogs/port_settings.h"
#include "setup/skin/win32/skinned_dialog.h"

class CRegistryAccess;
class IOposControl;

class CPortSettingsDlg : public CSkinnedDialog {
 public:
  CPortSettingsDlg(const CRegistryAccess& reg, device_rules::DeviceClass deviceClass, const std::string& deviceName,
                   bool isNew);
  ~CPortSettingsDlg() override;

 protected:
  BOOL OnInitDialog() override;
  void OnCommand(int id, int notifyCode) override;
  bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) override;

 private:
  void Show();
  void Collect();
  void ShowList(int id, const devsetup::ChoiceList& list);
  int Selection(int id) const;

  device_rules::DeviceClass deviceClass_;
  devsetup::CPortSettingsRules rules_;
  std::unique_ptr<IOposControl> control_;
  CSkinButton ok_, cancel_, health_;
};
