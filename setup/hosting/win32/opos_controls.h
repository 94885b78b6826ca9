// The three OPOS Control Objects as a dialog hosts them: each is the
// control its template places under the control id (created from its class
// id with the dialog's windows); where the dialog holds no such control
// (no system host, or the host could not create it) the wrapper creates the
// object from its class id itself. Owners release it when their window is
// destroyed. Each member is called by its dispatch id. When the class is
// not registered every call fails with OPOS_E_NOSERVICE and the failure
// text says so.
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
  // True when the object is the dialog's hosted control.
  bool Hosted() const { return hosted_; }

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
  // host: the dialog's control window for this object (may be null).
  COposControl(HWND host, const CLSID& classId);

 private:
  int32_t Method(DISPID id, std::vector<VARIANT> args);

  IDispatch* object_ = nullptr;
  bool hosted_ = false;
};

class COPOSCashDrawer : public COposControl {
 public:
  // dialog: the window whose template holds the control (may be null).
  explicit COPOSCashDrawer(HWND dialog);
};
class COPOSPOSPrinter : public COposControl {
 public:
  // dialog: the window whose template holds the control (may be null).
  explicit COPOSPOSPrinter(HWND dialog);
};
class COPOSLineDisplay : public COposControl {
 public:
  // dialog: the window whose template holds the control (may be null).
  explicit COPOSLineDisplay(HWND dialog);
};
