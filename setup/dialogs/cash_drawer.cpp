#include "setup/dialogs/cash_drawer.h"

#include "common/device_rules.h"
#include "common/registry_access.h"
#include "common/registry_schema.h"
#include "common/setup_data.h"
#include "setup/hosting/control_object.h"
#include "setup/ui/message_box.h"

namespace devsetup {
namespace {

using device_rules::DeviceClass;
constexpr int32_t kClaimTimeoutMs = 1000;
constexpr int32_t kInteractive = 3;

// A radio index as stored: "0" or "1"; anything else keeps the default.
void ReadIndex(const CRegistryAccess& reg, const std::string& key, const char* name, int* index) {
  std::string text;
  if (!reg.ReadString(key, name, &text)) return;
  if (text == "0" || text == "1") *index = text[0] - '0';
}

}  // namespace

CCashDrawerRules CCashDrawerRules::ForNewDrawer(const CRegistryAccess& reg, const std::string& printer) {
  CCashDrawerRules rules(reg, true);
  rules.form_.drawer = schema::kCashDrawerDeviceName;
  rules.form_.printer = printer;
  rules.form_.settings.printer = printer;
  return rules;
}

CCashDrawerRules CCashDrawerRules::ForDrawer(const CRegistryAccess& reg, const std::string& drawerName) {
  CCashDrawerRules rules(reg, false);
  CashDrawerForm& f = rules.form_;
  f.drawer = drawerName;
  const std::string key = device_rules::DeviceKeyPath(DeviceClass::kCashDrawer, drawerName);
  ReadIndex(reg, key, schema::kOpenLevel, &f.settings.openLevel);
  ReadIndex(reg, key, schema::kConnectorPinNo, &f.settings.pinNo);
  reg.ReadString(key, schema::kPulseOnTime, &f.settings.pulseOnTime);
  reg.ReadString(key, schema::kPulseOffTime, &f.settings.pulseOffTime);
  reg.ReadString(key, schema::kPOSPrinter, &f.settings.printer);
  reg.ReadString(key, schema::kLDN, &f.settings.ldn);
  f.printer = f.settings.printer;
  f.applyEnabled = false;
  return rules;
}

std::string CCashDrawerRules::KeyName() const {
  return isNew_ ? device_rules::NameNewCashDrawer(reg_) : form_.drawer;
}

bool CCashDrawerRules::LdnPasses(IMessageBox& box) const {
  const std::string& ldn = form_.settings.ldn;
  if (device_rules::LdnAllowed(reg_, DeviceClass::kCashDrawer, KeyName(), ldn)) return true;
  box.Show(device_rules::LdnRefusal(ldn));
  return false;
}

bool CCashDrawerRules::Save() {
  std::string installDir, version;
  setup_data::CashDrawerInfo info;
  setup_data::ReadInstallDir(reg_, &installDir);
  if (!setup_data::ReadCashDrawerInfo(installDir, &info)) return false;
  if (!setup_data::ReadVersion(installDir, &version)) return false;

  const std::string name = KeyName();
  std::string oldLdn;
  if (!isNew_) reg_.ReadString(device_rules::DeviceKeyPath(DeviceClass::kCashDrawer, name), schema::kLDN, &oldLdn);
  device_rules::MapLdn(reg_, DeviceClass::kCashDrawer, name, oldLdn, form_.settings.ldn);
  device_entry::WriteCashDrawerValues(reg_, name, info, version, form_.settings);
  form_.drawer = name;
  isNew_ = false;
  return true;
}

bool CCashDrawerRules::Apply(IMessageBox& box) {
  if (!LdnPasses(box)) return false;
  box.Show(Save() ? kDrawerSaved : kDrawerNotSaved);
  form_.applyEnabled = false;
  return true;
}

bool CCashDrawerRules::Ok(IMessageBox& box) {
  if (form_.applyEnabled) return Apply(box);
  return true;
}

void CCashDrawerRules::CheckHealth(IMessageBox& box, IOposControl& control) const {
  if (control.Open(form_.drawer) != 0) {
    box.Show(kDrawerOpenError);
  } else if (control.ClaimDevice(kClaimTimeoutMs) != 0) {
    box.Show(kDrawerClaimError);
  } else {
    control.SetDeviceEnabled(true);
  }
  control.CheckHealth(kInteractive);
  control.SetDeviceEnabled(false);
  control.ReleaseDevice();
  control.Close();
}

}  // namespace devsetup
