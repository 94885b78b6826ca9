// The cash drawer as its check-health dialog sees it, with that dialog's
// texts. Its test is one drawer kick.
#pragma once

#include "service/common/health_dialog_rules.h"
#include "service/drawer/cash_drawer.h"

class CDrawerHealthSubject : public IHealthSubject {
 public:
  static const HealthDialogTexts kTexts;

  explicit CDrawerHealthSubject(CCashDrawer& drawer) : d_(drawer) {}

  std::string ServiceObjectDescription() const override { return d_.ServiceObjectDescription(); }
  int32_t ServiceObjectVersion() const override { return CCashDrawer::kServiceObjectVersion; }
  std::string DeviceDescription() const override { return d_.DeviceDescription(); }
  std::string DeviceName() const override { return d_.DeviceName(); }
  int32_t PowerState() const override { return d_.PowerState(); }
  std::vector<bool> StatusBoxes() const override { return {d_.DrawerOpened()}; }
  void RunTest() override { d_.OpenDrawer(); }
  int32_t ResultCode() const override { return d_.ResultCode(); }
  int32_t ResultCodeExtended() const override { return d_.ResultCodeExtended(); }

 private:
  CCashDrawer& d_;
};
