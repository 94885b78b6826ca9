// The port settings dialog's rules for one registered printer or line
// display: loading its entry, the interfaces and their lists, the port
// conflict check, the LDN check, saving, Cancel of a new entry and the
// health check. The stored serial line values are shown and written back
// as they are, also when they are not among the dialog's list entries.
#pragma once

#include <cstdint>
#include <string>

#include "common/device_rules.h"
#include "setup/dialogs/port_form.h"
#include "setup/dialogs/usb_items.h"

class CRegistryAccess;
class IMessageBox;
class IOposControl;

namespace devsetup {

inline constexpr char kRegistryReadError[] = "Failed to road registry!";
inline constexpr char kNoUsbDevice[] = "Not Connect USB Device and Power off!";
inline constexpr char kPortTaken[] = "Failed : Other device used port : ";
inline constexpr char kOutputBufferError[] = "Output Buffer Value Error!";
inline constexpr char kInstalled[] = "Installed Success!";
inline constexpr char kPrinterOpenError[] = "OPOSPrinter Open Error : ";
inline constexpr char kPrinterClaimError[] = "OPOSPrinter Claim Error : ";
inline constexpr char kDisplayOpenError[] = "LineDisplay Open Error!";
inline constexpr char kDisplayClaimError[] = "LineDisplay Claim Error!";

class CPortSettingsRules {
 public:
  // deviceClass is kPOSPrinter or kLineDisplay; usb lists the attached USB
  // printers; isNew: the wizard has just created the entry.
  CPortSettingsRules(const CRegistryAccess& reg, device_rules::DeviceClass deviceClass,
                     const std::string& deviceName, bool isNew, UsbPrinterItems usb);

  // Dialog initialisation: the list defaults, the port counts of setup.inf
  // and the entry. False (after its messages) when "Installdir" can't be
  // read; the dialog then closes.
  bool Open(IMessageBox& box);
  PortForm& Form() { return form_; }

  // One of the four interface buttons.
  void ChooseInterface(PortInterface iface, IMessageBox& box);
  // The user picked another entry of the port list: kept when no other
  // device of the class uses that port, else the previous pick returns.
  void PickPort(int index, IMessageBox& box);
  // OK: LDN check and save; true when the dialog closes.
  bool Ok(IMessageBox& box);
  // Cancel: a new device's entry and its LDN mapping are removed.
  void Cancel();
  // Check Health: LDN check and save, then the interactive check. False
  // when the settings were not saved (nothing was run).
  bool CheckHealth(IMessageBox& box, IOposControl& control);

 private:
  void LoadEntry(IMessageBox& box);
  void LoadSerialValues(const std::string& key);
  void FillPorts(PortInterface iface, IMessageBox& box);
  bool PortUsedByOther(const std::string& picked) const;
  bool LdnPasses(IMessageBox& box) const;
  bool Save(IMessageBox& box);
  void SaveInterface(const std::string& key) const;
  void RunHealthCheck(IMessageBox& box, IOposControl& control) const;

  const CRegistryAccess& reg_;
  device_rules::DeviceClass deviceClass_;
  std::string deviceName_;
  bool isNew_;
  UsbPrinterItems usb_;
  int32_t serialCount_ = 4;
  int32_t parallelCount_ = 2;
  std::string pid_, vid_, usbDeviceName_;
  std::string rememberedPort_;
  PortForm form_;
};

}  // namespace devsetup
