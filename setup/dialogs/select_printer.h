// The first step of adding a cash drawer: which of the package's own
// printers drives it.
#pragma once

#include <string>
#include <vector>

class CRegistryAccess;
class IMessageBox;

namespace devsetup {

inline constexpr char kNoPrinterMessage[] = "Not Installed Printer!!";

class CSelectPrinterRules {
 public:
  // The printer keys whose names begin with "TavoPOS", sorted, from the
  // class-key scan (which stops at the first name beginning with "[").
  explicit CSelectPrinterRules(const CRegistryAccess& reg);

  const std::vector<std::string>& Printers() const { return printers_; }
  // At initialisation: false, after showing the message once, when there
  // is no printer to offer; the dialog then ends with Cancel.
  bool Start(IMessageBox& box) const;
  // The selection changed: the printer chosen (the dialog ends with OK),
  // or "" for a position outside the list (nothing happens).
  std::string Select(int index) const;

 private:
  std::vector<std::string> printers_;
};

}  // namespace devsetup
