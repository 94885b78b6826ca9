// The cash drawer settings dialog's rules: which printer drives the drawer,
// the connector pin, the open level, the pulse times and the LDN; loading,
// the Apply/OK/Cancel rules, the LDN check, saving and the health check.
#pragma once

#include <string>

#include "common/device_entry.h"

class CRegistryAccess;
class IMessageBox;
class IOposControl;

namespace devsetup {

inline constexpr char kDrawerSaved[] = "CashDrawer Installed Success!";
inline constexpr char kDrawerNotSaved[] = "CashDrawer Installed Failure!";
inline constexpr char kDrawerOpenError[] = "OPOS CashDrawer Open Error ! ";
inline constexpr char kDrawerClaimError[] = "OPOS CashDrawer Claim Error ! ";

// What the dialog shows; the view moves it to and from its controls.
struct CashDrawerForm {
  std::string printer;  // read-only
  std::string drawer;   // read-only: the device key name
  device_entry::DrawerSettings settings;  // ldn, radio indexes, pulse texts
  bool applyEnabled = true;  // unsaved changes
};

class CCashDrawerRules {
 public:
  // A new drawer (named "CashDrawer" until it is saved) on the printer the
  // user picked.
  static CCashDrawerRules ForNewDrawer(const CRegistryAccess& reg, const std::string& printer);
  // A registered drawer, loaded from its entry.
  static CCashDrawerRules ForDrawer(const CRegistryAccess& reg, const std::string& drawerName);

  CashDrawerForm& Form() { return form_; }
  bool IsNew() const { return isNew_; }

  // Any edit of a box or click on a radio button.
  void Changed() { form_.applyEnabled = true; }
  // "Apply": false when the LDN was refused (Apply stays enabled).
  bool Apply(IMessageBox& box);
  // "OK": true when the dialog closes.
  bool Ok(IMessageBox& box);
  // Interactive health check of the drawer as last saved.
  void CheckHealth(IMessageBox& box, IOposControl& control) const;

 private:
  CCashDrawerRules(const CRegistryAccess& reg, bool isNew) : reg_(reg), isNew_(isNew) {}
  // The key the drawer is or will be saved under.
  std::string KeyName() const;
  bool LdnPasses(IMessageBox& box) const;
  bool Save();

  const CRegistryAccess& reg_;
  bool isNew_;
  CashDrawerForm form_;
};

}  // namespace devsetup
