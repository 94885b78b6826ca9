// CPortRangeDlg: how many serial and parallel ports the package offers.
// The view of CPortRangeRules: counts into the edit fields and up-down
// controls, texts back to the rules on SAVE.
#pragma once

#include "setup/main/port_range.h"
#include "setup/skin/win32/skinned_dialog.h"

class CRegistryAccess;

class CPortRangeDlg : public CSkinnedDialog {
 public:
  explicit CPortRangeDlg(const CRegistryAccess& reg);

 protected:
  BOOL OnInitDialog() override;
  void OnCommand(int id, int notifyCode) override;

 private:
  void ShowCounts();

  devsetup::CPortRangeRules rules_;
  CSkinButton save_, cancel_, default_;
};
