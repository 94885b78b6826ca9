#include "setup/main/device_commands.h"

#include "common/registry_access.h"
#include "setup/hosting/control_object.h"
#include "setup/ui/message_box.h"

namespace devsetup {
namespace {

constexpr int32_t kClaimTimeoutMs = 1000;
constexpr int32_t kInteractiveCheck = 3;  // OPOS_CH_INTERACTIVE

// The messages of one class's health check.
struct HealthTexts {
  const char* openError;
  const char* claimError;
  const char* enableError;
  bool appendDetail;  // the control's failure text follows the message
  bool printerFlag;   // boolean property 106 set after enabling
};

const HealthTexts& TextsOf(DeviceClass deviceClass) {
  static const HealthTexts printer{"OPOSPrinter Open Error : ", "OPOSPrinter Claim Error : ",
                                   "OPOSPrinter DeviceEnabled Error : ", true, true};
  static const HealthTexts drawer{"CashDrawer Open Error ! ", "CashDrawer Claim Error ! ",
                                  "CashDrawer DeviceEnabled Error !", false, false};
  static const HealthTexts display{"LineDisplay Open Error!", "LineDisplay Claim Error!",
                                   "LineDisplay DeviceEnabled Error!", false, false};
  switch (deviceClass) {
    case DeviceClass::kPOSPrinter: return printer;
    case DeviceClass::kLineDisplay: return display;
    case DeviceClass::kCashDrawer: break;
  }
  return drawer;
}

void Report(IMessageBox& box, const HealthTexts& texts, const char* message, IOposControl& control) {
  box.Show(texts.appendDetail ? message + control.TextProperty105() : std::string(message));
}

// Steps up to the check itself; false after a reported failure.
bool OpenClaimEnable(IMessageBox& box, const SelectedDevice& device, IOposControl& control) {
  const HealthTexts& texts = TextsOf(device.deviceClass);
  if (control.Open(device.name) != 0) {
    Report(box, texts, texts.openError, control);
    return false;
  }
  if (control.ClaimDevice(kClaimTimeoutMs) != 0) {
    Report(box, texts, texts.claimError, control);
    return false;
  }
  control.SetDeviceEnabled(true);
  if (texts.printerFlag) control.SetFlagProperty106(true);
  if (!control.DeviceEnabled()) {
    Report(box, texts, texts.enableError, control);
    return false;
  }
  return true;
}

}  // namespace

bool RemoveSelectedDevice(const CRegistryAccess& reg, IMessageBox& box, const TreeSelection& selection) {
  const std::optional<SelectedDevice> device = DeviceOf(selection);
  if (!device) return false;
  if (!box.Confirm(kRemoveCaption, kRemoveQuestion + device->name)) return false;
  device_rules::RemoveDevice(reg, device->deviceClass, device->name);
  return true;
}

bool CheckSelectedDevice(IMessageBox& box, const TreeSelection& selection, IOposControl& control) {
  const std::optional<SelectedDevice> device = DeviceOf(selection);
  if (!device) return false;
  if (OpenClaimEnable(box, *device, control)) {
    control.CheckHealth(kInteractiveCheck);
    control.SetDeviceEnabled(false);
    control.ReleaseDevice();
  }
  control.Close();
  return true;
}

std::string UtilityFolder(const std::string& installDir) { return installDir + "\\Utility"; }

}  // namespace devsetup
