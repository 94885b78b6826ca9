// The three hosted OPOS Control Objects, created from their class ids when
// the window that hosts them is created and released with it. Each member
// is called by its dispatch id. When the class is not registered every
// call fails with OPOS_E_NOSERVICE and the failure text says so.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <vector>

#include "setup/hosting/control_object.h"

class COposControl : public IOposControl {
 public:
  ~COposControl() override;
  COposControl(const COposControl&) = delete;
  COposControl& operator=(const COposControl&) = delete;

  bool Created() const { return object_ != nullptr; }

  int32_t Open(const std::string& deviceName) override;
  int32_t ClaimDevice(int32_t timeoutMs) override;
  void SetDeviceEnabled(bool enabled) override;
  bool DeviceEnabled() override;
  int32_t CheckHealth(int32_t level) override;
  int32_t ReleaseDevice() override;
  int32_t Close() override;
  void SetNumberProperty20(int32_t value) override;
  std::string TextProperty105() override;
  void SetFlagProperty106(bool value) override;

 protected:
  explicit COposControl(const CLSID& classId);

 private:
  int32_t Method(DISPID id, std::vector<VARIANT> args);

  IDispatch* object_ = nullptr;
};

class COPOSCashDrawer : public COposControl {
 public:
  COPOSCashDrawer();
};
class COPOSPOSPrinter : public COposControl {
 public:
  COPOSPOSPrinter();
};
class COPOSLineDisplay : public COposControl {
 public:
  COPOSLineDisplay();
};
