// Read through the printer's properties, as an application would see them.
#include "service/printer/printer_health.h"

namespace {
enum : int32_t {
  kResultCode = 6,
  kResultCodeExtended = 7,
  kServiceObjectVersion = 8,
  kPowerState = 14,
  kCoverOpen = 8003,
  kRecEmpty = 8014,
  kRecNearEnd = 8021,
  kDeviceDescription = 1000002,
  kDeviceName = 1000003,
  kServiceObjectDescription = 1000004,
};
}  // namespace

const HealthDialogTexts CPrinterHealthSubject::kTexts = {"Printer Check Health : - Interactive -",
                                                         "Test in progress...", false};

std::string CPrinterHealthSubject::ServiceObjectDescription() const {
  return p_.GetPropertyString(kServiceObjectDescription);
}
int32_t CPrinterHealthSubject::ServiceObjectVersion() const { return p_.GetPropertyNumber(kServiceObjectVersion); }
std::string CPrinterHealthSubject::DeviceDescription() const { return p_.GetPropertyString(kDeviceDescription); }
std::string CPrinterHealthSubject::DeviceName() const { return p_.GetPropertyString(kDeviceName); }
int32_t CPrinterHealthSubject::PowerState() const { return p_.GetPropertyNumber(kPowerState); }
std::vector<bool> CPrinterHealthSubject::StatusBoxes() const {
  return {p_.GetPropertyNumber(kCoverOpen) != 0, p_.GetPropertyNumber(kRecEmpty) != 0,
          p_.GetPropertyNumber(kRecNearEnd) != 0};
}
int32_t CPrinterHealthSubject::ResultCode() const { return p_.GetPropertyNumber(kResultCode); }
int32_t CPrinterHealthSubject::ResultCodeExtended() const { return p_.GetPropertyNumber(kResultCodeExtended); }
