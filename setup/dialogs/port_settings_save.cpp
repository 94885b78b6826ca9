// The port settings dialog's buttons: the LDN check, saving, Cancel of a
// new entry and the health check.
#include "common/registry_access.h"
#include "common/registry_schema.h"
#include "setup/dialogs/port_settings.h"
#include "setup/dialogs/port_values.h"
#include "setup/hosting/control_object.h"
#include "setup/ui/message_box.h"

namespace devsetup {
namespace {

constexpr int32_t kClaimTimeoutMs = 1000;
constexpr int32_t kInteractive = 3;

struct HealthTexts {
  const char* openError;
  const char* claimError;
  bool withDetail;  // property 105 follows the message
};
constexpr HealthTexts kPrinterHealth{kPrinterOpenError, kPrinterClaimError, true};
constexpr HealthTexts kDisplayHealth{kDisplayOpenError, kDisplayClaimError, false};

}  // namespace

bool CPortSettingsRules::LdnPasses(IMessageBox& box) const {
  if (device_rules::LdnAllowed(reg_, deviceClass_, deviceName_, form_.ldn)) return true;
  box.Show(device_rules::LdnRefusal(form_.ldn));
  return false;
}

bool CPortSettingsRules::Save(IMessageBox& box) {
  namespace s = schema;
  if (form_.outputBuf == "0") {
    box.Show(kOutputBufferError);
    return false;
  }
  const std::string key = device_rules::DeviceKeyPath(deviceClass_, deviceName_);
  // Also for a new device: an earlier Check Health may have saved an LDN.
  std::string oldLdn;
  reg_.ReadString(key, s::kLDN, &oldLdn);
  device_rules::SaveLdn(reg_, deviceClass_, deviceName_, oldLdn, form_.ldn);
  const std::pair<const char*, std::string> texts[] = {
      {s::kBaudRate, form_.baudRate.SelectedValue()}, {s::kBitLength, form_.bitLength.SelectedValue()},
      {s::kHandShake, form_.flowControl.SelectedValue()}, {s::kInputBuf, form_.inputBuf},
      {s::kOutputBuf, form_.outputBuf}, {s::kInputSleep, form_.inputSleep},
      {s::kOutInterval, form_.outInterval}, {s::kParity, form_.parity.SelectedValue()},
      {s::kStop, form_.stopBits.SelectedValue()}, {s::kTimeout, form_.inputSleep},
  };
  for (const auto& v : texts) reg_.WriteString(key, v.first, v.second);
  SaveInterface(key);
  return true;
}

void CPortSettingsRules::SaveInterface(const std::string& key) const {
  namespace s = schema;
  switch (form_.iface) {
    case PortInterface::kUsb: {
      const std::string picked = form_.port.SelectedText();
      reg_.WriteString(key, s::kPort, picked);
      reg_.WriteString(key, s::kVid, vid_);
      reg_.WriteString(key, s::kPid, pid_);
      if (const UsbPrinterItem* item = FindByDisplayName(usb_, picked)) {
        reg_.WriteString(key, s::kUsbDeviceName, item->devicePath);
        reg_.WriteNumber(key, s::kUsbCount, item->ordinal);
      }
      break;
    }
    case PortInterface::kEthernet:
      reg_.WriteString(key, s::kPort, "Ethernet");
      reg_.WriteString(key, s::kTcpIp, FormatIpAddress(form_.ip));
      reg_.WriteNumber(key, s::kTcpPort, DecimalValue(form_.tcpPort));
      break;
    case PortInterface::kSerial:
    case PortInterface::kParallel:
      reg_.WriteString(key, s::kPort, form_.port.SelectedText());
      break;
  }
}

bool CPortSettingsRules::Ok(IMessageBox& box) {
  if (!LdnPasses(box) || !Save(box)) return false;
  box.Show(kInstalled);
  return true;
}

void CPortSettingsRules::Cancel() {
  if (isNew_) device_rules::RemoveDevice(reg_, deviceClass_, deviceName_);
}

bool CPortSettingsRules::CheckHealth(IMessageBox& box, IOposControl& control) {
  if (!LdnPasses(box) || !Save(box)) return false;
  RunHealthCheck(box, control);
  return true;
}

void CPortSettingsRules::RunHealthCheck(IMessageBox& box, IOposControl& control) const {
  const HealthTexts& texts = deviceClass_ == device_rules::DeviceClass::kPOSPrinter ? kPrinterHealth : kDisplayHealth;
  auto report = [&](const char* message) {
    box.Show(texts.withDetail ? message + control.TextProperty105() : std::string(message));
  };
  if (control.Open(deviceName_) != 0) {
    report(texts.openError);
  } else if (control.ClaimDevice(kClaimTimeoutMs) != 0) {
    report(texts.claimError);
  } else {
    control.SetDeviceEnabled(true);
    control.SetNumberProperty20(1);
  }
  control.CheckHealth(kInteractive);
  control.Close();
}

}  // namespace devsetup
