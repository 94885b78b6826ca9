#include "setup/main/device_tree.h"

#include "common/registry_access.h"
#include "common/registry_schema.h"
#include "common/setup_data.h"

namespace devsetup {
namespace {

bool StartsWith(const std::string& text, const char* prefix) {
  return text.compare(0, std::char_traits<char>::length(prefix), prefix) == 0;
}

constexpr char kNotUsed[] = "[Not Used]";

// The three pieces of text that differ between the classes.
struct DescriptionForm {
  const char* heading;    // "- Printer Description - \r\n\r\n Printer Name : "
  const char* lastLabel;  // " Using Port : " or " Printer Name : "
  const char* lastValue;  // value name read for the last line
  const char* trailer;    // after the last line's "\r\n"
};

const DescriptionForm& FormOf(DeviceClass deviceClass) {
  static const DescriptionForm printer{"- Printer Description - \r\n\r\n Printer Name : ", " Using Port : ",
                                       schema::kPort, ""};
  static const DescriptionForm display{"- Display Description - \r\n\r\n Display Name : ", " Using Port : ",
                                       schema::kPort, ""};
  static const DescriptionForm drawer{"- CashDrawer Description - \r\n\r\n Cashdrawer Name : ", " Printer Name : ",
                                      schema::kPOSPrinter, " Description : Standard Cashdrawer"};
  switch (deviceClass) {
    case DeviceClass::kPOSPrinter: return printer;
    case DeviceClass::kLineDisplay: return display;
    case DeviceClass::kCashDrawer: break;
  }
  return drawer;
}

}  // namespace

bool IsOwnDevice(const std::string& name) {
  return StartsWith(name, "TavoPOS") || StartsWith(name, "CashDrawer");
}

bool IsOwnDeviceOf(DeviceClass deviceClass, const std::string& name) {
  if (deviceClass == DeviceClass::kLineDisplay && StartsWith(name, "QDX")) return true;
  return IsOwnDevice(name);
}

std::vector<TreeDevice> ListDevices(const CRegistryAccess& reg, DeviceClass deviceClass) {
  std::vector<TreeDevice> devices;
  for (std::string& name : reg.ScanClassKey(device_rules::ClassKeyPath(deviceClass))) {
    if (name.empty()) continue;
    const bool bold = IsOwnDeviceOf(deviceClass, name);
    devices.push_back({std::move(name), bold});
  }
  return devices;
}

std::optional<SelectedDevice> DeviceOf(const TreeSelection& selection) {
  if (selection.depth != 2 || !selection.parentClass || selection.text.empty()) return std::nullopt;
  return SelectedDevice{*selection.parentClass, selection.text};
}

int SelectionLevel(const TreeSelection& selection) {
  const bool own = selection.parentClass ? IsOwnDeviceOf(*selection.parentClass, selection.text)
                                         : IsOwnDevice(selection.text);
  return own ? selection.depth : 0;
}

CommandEnabling CommandsForLevel(int level) {
  const bool device = level == 2;
  return {device, device, device};
}

std::string DescribeDevice(const CRegistryAccess& reg, DeviceClass deviceClass, const std::string& name) {
  const std::string key = device_rules::DeviceKeyPath(deviceClass, name);
  const DescriptionForm& form = FormOf(deviceClass);
  std::string deviceName, ldn, last;
  reg.ReadString(key, schema::kDeviceName, &deviceName);
  reg.ReadString(key, schema::kLDN, &ldn);
  reg.ReadString(key, form.lastValue, &last);
  if (ldn.empty()) ldn = kNotUsed;
  return std::string(form.heading) + deviceName + "\r\n" + " LDN : " + ldn + "\r\n" + form.lastLabel + last +
         "\r\n" + form.trailer;
}

std::string WindowCaption(const std::string& installDir) { return setup_data::ReadVersionDescription(installDir); }

CDeviceTreeState::Change CDeviceTreeState::Select(const CRegistryAccess& reg, const TreeSelection& selection) {
  Change change;
  level_ = SelectionLevel(selection);
  change.commands = CommandsForLevel(level_);
  const std::optional<SelectedDevice> device = DeviceOf(selection);
  if (device && device->name != shownDevice_) {
    shownDevice_ = device->name;
    change.description = DescribeDevice(reg, device->deviceClass, device->name);
  }
  return change;
}

}  // namespace devsetup
