#include "setup/transfer/setup_import.h"

#include <map>

#include "common/device_entry.h"
#include "common/registry_schema.h"
#include "common/setup_data.h"
#include "common/setup_export.h"
#include "setup/dialogs/port_values.h"
#include "setup/transfer/entry_rules.h"

namespace devsetup {
namespace {

using device_rules::DeviceClass;
using device_rules::PortKind;
namespace s = schema;

std::string Lower(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return text;
}

std::string At(int line) { return "line " + std::to_string(line) + ": "; }

std::string Label(const setup_file::Device& device) {
  return setup_file::DeviceLabel(device.deviceClass, device.name);
}

// The file line of a value of the device, else the device's own line.
int LineOf(const setup_file::Device& device, const char* name) {
  for (const setup_file::Value& v : device.values) {
    if (Lower(v.value.name) == Lower(name)) return v.line;
  }
  return device.line;
}

std::string Problem(const setup_file::Device& device, const char* value, const std::string& text) {
  return At(LineOf(device, value)) + Label(device) + " " + (*value ? value : "@") + ": " + text;
}

// Values with the same name (registry names ignore case) replaced.
void Overlay(std::vector<RegistryValue>* entry, const RegistryValue& value) {
  for (RegistryValue& v : *entry) {
    if (Lower(v.name) == Lower(value.name)) {
      v = value;
      return;
    }
  }
  entry->push_back(value);
}

const RegistryValue* FindValue(const std::vector<RegistryValue>& values, const std::string& name) {
  for (const RegistryValue& v : values) {
    if (Lower(v.name) == Lower(name)) return &v;
  }
  return nullptr;
}

uint32_t EntryNumber(const std::vector<RegistryValue>& values, const char* name) {
  uint32_t number = 0;
  if (const RegistryValue* v = FindValue(values, name)) ValueNumber(*v, &number);
  return number;
}

// "COM3" with n in 1..count, written as the dialog writes it.
bool NumberedPort(const std::string& port, const char* prefix, int32_t count) {
  const std::string digits = port.substr(3);
  if (port.compare(0, 3, prefix) != 0 || !IsDigits(digits) || digits[0] == '0' || digits.size() > 4) return false;
  const int32_t n = DecimalValue(digits);
  return n >= 1 && n <= count;
}

std::string PortRangeText(const char* prefix, int32_t count) {
  if (count < 1) return "this till lists none";
  return std::string(prefix) + "1 to " + prefix + std::to_string(count);
}

}  // namespace

std::string EntryText(const std::vector<RegistryValue>& values, const std::string& name) {
  std::string text;
  if (const RegistryValue* v = FindValue(values, name)) ValueText(*v, &text);
  return text;
}

CSetupImporter::CSetupImporter(const CRegistryAccess& reg, const setup_file::SetupFile& file, bool replace)
    : reg_(reg), file_(file), replace_(replace) {}

CSetupImporter CSetupImporter::ForNewTill(const CRegistryAccess& reg, const setup_file::SetupFile& file) {
  CSetupImporter importer(reg, file, true);
  importer.newTill_ = true;
  return importer;
}

bool CSetupImporter::Check(std::vector<std::string>* problems) {
  const size_t before = problems->size();
  plans_.clear();
  if (!setup_data::ReadInstallDir(reg_, &installDir_)) {
    problems->push_back("the package's \"Installdir\" can't be read in this registry view: is the package installed?");
    return false;
  }
  serialCount_ = setup_data::ReadComRange(installDir_);
  parallelCount_ = setup_data::ReadLptRange(installDir_);
  CheckPorts(problems);
  for (const setup_file::Device& device : file_.devices) PlanDevice(device, problems);
  for (const Planned& plan : plans_) {
    CheckPort(plan, problems);
    CheckDrawerPrinter(plan, problems);
  }
  for (DeviceClass deviceClass : setup_export::kClasses) CheckSharing(deviceClass, problems);
  return problems->size() == before;
}

// The counts as the port range dialog takes them; the ports of the devices
// are then checked against the counts the till will have.
void CSetupImporter::CheckPorts(std::vector<std::string>* problems) {
  for (const setup_file::PortCount& port : file_.ports) {
    const bool serial = port.key == setup_file::kPortKeys[0];
    const setup_data::PortRange range = setup_data::PortKeyRange(port.key);
    if (port.count < range.low || port.count > range.high) {
      problems->push_back(At(port.line) + "[Ports] " + port.key + ": " + std::to_string(port.count) + " is outside " +
                          std::to_string(range.low) + " to " + std::to_string(range.high));
      continue;
    }
    if (serial) serialCount_ = port.count;
    if (port.key == setup_file::kPortKeys[1]) parallelCount_ = port.count;
  }
}

void CSetupImporter::PlanDevice(const setup_file::Device& device, std::vector<std::string>* problems) {
  Planned plan;
  plan.device = &device;
  const std::string key = device_rules::DeviceKeyPath(device.deviceClass, device.name);
  plan.exists = !newTill_ && reg_.KeyExists(key);
  if (plan.exists && !setup_export::IsPackageDevice(reg_, device.deviceClass, device.name)) {
    problems->push_back(At(device.line) + Label(device) +
                        ": this till holds another maker's device of that name; it is not overwritten");
    return;
  }
  bool valuesOk = true;
  for (const setup_file::Value& v : device.values) {
    const std::string wrong = CheckValue(device.deviceClass, v.value);
    if (wrong.empty()) continue;
    problems->push_back(At(v.line) + Label(device) + " " + (v.value.name.empty() ? "@" : v.value.name) + ": " + wrong);
    valuesOk = false;
  }
  std::vector<RegistryValue> values;
  if (plan.exists) {
    values = reg_.ListValues(key);
  } else if (device.deviceClass == DeviceClass::kCashDrawer) {
    setup_data::CashDrawerInfo info;
    std::string version;
    if (!setup_data::ReadCashDrawerInfo(installDir_, &info) || !setup_data::ReadVersion(installDir_, &version)) {
      problems->push_back(At(device.line) + Label(device) +
                          ": CashDrawer Installed Failure! (poscash.inf or the Version of setup.inf is missing)");
      return;
    }
    plan.initial = device_entry::CashDrawerValues(info, version, device_entry::DrawerSettings{});
  } else {
    std::vector<RegistryValue> fileValues;
    for (const setup_file::Value& v : device.values) fileValues.push_back(v.value);
    const std::string model = EntryText(fileValues, s::kDeviceName);
    const auto modelClass = device.deviceClass == DeviceClass::kLineDisplay ? setup_data::ModelClass::kLineDisplay
                                                                             : setup_data::ModelClass::kPrinter;
    setup_data::ModelInfo info;
    std::string version;
    if (model.empty() || !setup_data::ReadModelInfo(installDir_, modelClass, model, &info) ||
        !setup_data::ReadVersion(installDir_, &version)) {
      problems->push_back(Problem(device, s::kDeviceName,
                                  "Error : Inf file information! (\"" + model +
                                      "\" is no model of this till's setup data files)"));
      return;
    }
    plan.initial = device_entry::InitialValues(device.deviceClass, model, info, version, installDir_);
  }
  if (!valuesOk) return;
  values.insert(values.end(), plan.initial.begin(), plan.initial.end());
  for (const setup_file::Value& v : device.values) Overlay(&values, v.value);
  plan.effective = std::move(values);
  plans_.push_back(std::move(plan));
}

bool CSetupImporter::InFile(DeviceClass deviceClass, const std::string& name) const {
  for (const setup_file::Device& device : file_.devices) {
    if (device.deviceClass == deviceClass && Lower(device.name) == Lower(name)) return true;
  }
  return false;
}

bool CSetupImporter::Removed(DeviceClass deviceClass, const std::string& name) const {
  return replace_ && !InFile(deviceClass, name) && setup_export::IsPackageDevice(reg_, deviceClass, name);
}

std::vector<std::string> CSetupImporter::Staying(DeviceClass deviceClass) const {
  std::vector<std::string> names;
  if (newTill_) return names;
  for (const std::string& name : reg_.ScanClassKey(device_rules::ClassKeyPath(deviceClass))) {
    if (!InFile(deviceClass, name) && !Removed(deviceClass, name)) names.push_back(name);
  }
  return names;
}

// The port as the port settings dialog could have saved it on this till.
void CSetupImporter::CheckPort(const Planned& plan, std::vector<std::string>* problems) const {
  const setup_file::Device& device = *plan.device;
  if (device.deviceClass == DeviceClass::kCashDrawer) return;
  const std::string port = EntryText(plan.effective, s::kPort);
  const uint32_t portType = EntryNumber(plan.effective, s::kPorttype);
  const setup_data::PortInterfaces offered = setup_data::InterfacesForPortType(static_cast<int32_t>(portType));
  const std::string quoted = "\"" + port + "\"";
  std::string wrong;
  const char* kind = "";
  switch (device_rules::PortKindOf(port)) {
    case PortKind::kSerial:
      kind = offered.serial ? "" : "serial";
      if (!NumberedPort(port, "COM", serialCount_))
        wrong = quoted + " is not a serial port of this till (" + PortRangeText("COM", serialCount_) + ")";
      break;
    case PortKind::kParallel:
      kind = offered.parallel ? "" : "parallel";
      if (!NumberedPort(port, "LPT", parallelCount_))
        wrong = quoted + " is not a parallel port of this till (" + PortRangeText("LPT", parallelCount_) + ")";
      break;
    case PortKind::kUsb:
      kind = offered.usb ? "" : "USB";
      if (port.size() != 7 || !IsDigits(port.substr(3, 3)) || port[6] != ':')
        wrong = quoted + " is not a USB port name (USB001: and so on)";
      break;
    case PortKind::kEthernet:
      kind = offered.ethernet ? "" : "Ethernet";
      if (port != "Ethernet") wrong = quoted + " is not a port (COMn, LPTn, USBnnn: or Ethernet)";
      break;
  }
  if (wrong.empty() && *kind) {
    wrong = quoted + ": the model offers no " + std::string(kind) + " interface (Porttype " +
            std::to_string(portType) + ")";
  }
  if (!wrong.empty()) problems->push_back(Problem(device, s::kPort, wrong));
}

// A port used by two devices of the class, and an LDN naming two devices or
// another device's key: refused as the port and LDN checks refuse them.
void CSetupImporter::CheckSharing(DeviceClass deviceClass, std::vector<std::string>* problems) const {
  std::map<std::string, std::string> ports, ldns, names;  // lower-case key -> device label
  const std::vector<std::string> staying = Staying(deviceClass);
  for (const std::string& name : staying) names[Lower(name)] = setup_file::DeviceLabel(deviceClass, name);
  for (const Planned& plan : plans_) {
    if (plan.device->deviceClass == deviceClass) names[Lower(plan.device->name)] = Label(*plan.device);
  }
  auto portKey = [](const std::vector<RegistryValue>& values) -> std::string {
    const std::string port = EntryText(values, s::kPort);
    switch (device_rules::PortKindOf(port)) {
      case PortKind::kEthernet: return "";
      case PortKind::kUsb: {
        const std::string path = EntryText(values, s::kUsbDeviceName);
        return path.empty() ? port : "usb:" + Lower(path);
      }
      default: return port;
    }
  };
  for (const std::string& name : staying) {
    const std::vector<RegistryValue> values = reg_.ListValues(device_rules::DeviceKeyPath(deviceClass, name));
    const std::string label = setup_file::DeviceLabel(deviceClass, name);
    if (deviceClass != DeviceClass::kCashDrawer) {
      const std::string port = portKey(values);
      if (!port.empty()) ports.emplace(port, label);
    }
    const std::string ldn = EntryText(values, s::kLDN);
    if (!ldn.empty()) ldns.emplace(Lower(ldn), label);
  }
  for (const Planned& plan : plans_) {
    const setup_file::Device& device = *plan.device;
    if (device.deviceClass != deviceClass) continue;
    if (deviceClass != DeviceClass::kCashDrawer) {
      const std::string port = portKey(plan.effective);
      const auto taken = port.empty() ? ports.end() : ports.find(port);
      if (taken != ports.end()) {
        problems->push_back(Problem(device, s::kPort, "Failed : Other device used port : " + EntryText(plan.effective, s::kPort) +
                                                          " (" + taken->second + ")"));
      } else if (!port.empty()) {
        ports.emplace(port, Label(device));
      }
    }
    const std::string ldn = EntryText(plan.effective, s::kLDN);
    if (ldn.empty()) continue;
    const auto named = names.find(Lower(ldn));
    const auto taken = ldns.find(Lower(ldn));
    if (named != names.end() && Lower(ldn) != Lower(device.name)) {
      problems->push_back(Problem(device, s::kLDN, device_rules::LdnRefusal(ldn) + " (it is the name of " +
                                                       named->second + ")"));
    } else if (taken != ldns.end()) {
      problems->push_back(Problem(device, s::kLDN, device_rules::LdnRefusal(ldn) + " (" + taken->second +
                                                       " has that LDN)"));
    } else {
      ldns.emplace(Lower(ldn), Label(device));
    }
  }
}

void CSetupImporter::CheckDrawerPrinter(const Planned& plan, std::vector<std::string>* problems) const {
  const setup_file::Device& device = *plan.device;
  if (device.deviceClass != DeviceClass::kCashDrawer) return;
  const std::string printer = EntryText(plan.effective, s::kPOSPrinter);
  bool found = InFile(DeviceClass::kPOSPrinter, printer);
  for (const std::string& name : Staying(DeviceClass::kPOSPrinter)) found = found || Lower(name) == Lower(printer);
  if (!found) {
    problems->push_back(Problem(device, s::kPOSPrinter,
                                "\"" + printer + "\" is no printer of the file or of this till"));
  }
}

bool CSetupImporter::CanWrite(std::string* failure) const {
  if (newTill_) {
    *failure = "a check for a new till writes nothing";
    return false;
  }
  for (DeviceClass deviceClass : setup_export::kClasses) {
    const std::string classKey = device_rules::ClassKeyPath(deviceClass);
    bool used = replace_ && reg_.KeyExists(classKey);
    for (const Planned& plan : plans_) used = used || plan.device->deviceClass == deviceClass;
    if (!used) continue;
    const char* probe = "~devsetup import";
    if (!reg_.WriteString(classKey, probe, "") || !reg_.Delete(classKey, probe)) {
      *failure = "the registry key " + classKey + " can't be written (run as administrator); nothing was written";
      return false;
    }
  }
  return true;
}

bool CSetupImporter::Apply(std::string* failure) {
  // A registry that can't be written at all (no administrator rights) is
  // found before the first change.
  if (!CanWrite(failure)) return false;
  bool ok = true;
  if (replace_) {
    for (DeviceClass deviceClass : setup_export::kClasses) {
      for (const std::string& name : setup_export::PackageDevices(reg_, deviceClass)) {
        if (!InFile(deviceClass, name)) ok = device_rules::RemoveDevice(reg_, deviceClass, name) && ok;
      }
    }
  }
  for (const Planned& plan : plans_) {
    const setup_file::Device& device = *plan.device;
    const std::string key = device_rules::DeviceKeyPath(device.deviceClass, device.name);
    std::string oldLdn;
    if (plan.exists) reg_.ReadString(key, s::kLDN, &oldLdn);
    for (const RegistryValue& v : plan.initial) ok = reg_.WriteValue(key, v) && ok;
    for (const setup_file::Value& v : device.values) ok = reg_.WriteValue(key, v.value) && ok;
    ok = device_rules::MapLdn(reg_, device.deviceClass, device.name, oldLdn, EntryText(plan.effective, s::kLDN)) && ok;
  }
  for (const setup_file::PortCount& port : file_.ports) {
    if (port.key == setup_file::kPortKeys[0]) ok = setup_data::WriteComRange(installDir_, port.count) && ok;
    if (port.key == setup_file::kPortKeys[1]) ok = setup_data::WriteLptRange(installDir_, port.count) && ok;
    if (port.key == setup_file::kPortKeys[2]) ok = setup_data::WriteLptmRange(installDir_, port.count) && ok;
  }
  if (!ok) *failure = "a registry or setup.inf write failed part way; the set-up is incomplete";
  return ok;
}

}  // namespace devsetup
