#include "setup/dialogs/port_settings.h"

#include <algorithm>
#include <initializer_list>

#include "common/registry_access.h"
#include "common/registry_schema.h"
#include "common/setup_data.h"
#include "setup/dialogs/port_values.h"
#include "setup/dialogs/select_model.h"
#include "setup/ui/message_box.h"

namespace devsetup {
namespace {

using device_rules::DeviceClass;
using device_rules::PortKind;

// A stored serial value that names no list entry; such a value is added
// to the list under this text so that it is shown and saved unchanged.
struct StoredName {
  const char* value;
  const char* text;
};
constexpr StoredName kStopNames[] = {{"1", "1.5"}, {"2", "2"}};

void ShowStored(ChoiceList& list, const std::string& stored, std::initializer_list<StoredName> names = {}) {
  if (stored.empty()) return;
  int at = list.FindValue(stored);
  if (at < 0) {
    std::string text = stored;
    for (const StoredName& n : names) text = stored == n.value ? n.text : text;
    list.Add(text, stored);
    at = static_cast<int>(list.values.size()) - 1;
  }
  list.selected = at;
}

// The template's list contents and the selections of the dialog's start.
void FillLists(PortForm& f) {
  for (const char* baud : {"9600", "19200", "38400", "57600", "115200"}) f.baudRate.Add(baud, baud);
  f.baudRate.selected = 1;
  f.bitLength.Add("8", "8");
  f.parity.Add("NONE", "0");
  f.parity.Add("EVEN", "1");
  f.parity.Add("ODD", "2");
  f.stopBits.Add("1", "0");
  f.flowControl.Add("DTR/DSR", "DTR/DSR");
  for (ChoiceList* list : {&f.bitLength, &f.parity, &f.stopBits, &f.flowControl}) list->selected = 0;
  f.inputBuf = f.outputBuf = "8192";
  f.outInterval = f.inputSleep = "0";
}

PortInterface InterfaceOf(const std::string& port) {
  switch (device_rules::PortKindOf(port)) {
    case PortKind::kSerial: return PortInterface::kSerial;
    case PortKind::kParallel: return PortInterface::kParallel;
    case PortKind::kUsb: return PortInterface::kUsb;
    case PortKind::kEthernet: break;
  }
  return PortInterface::kEthernet;
}

void AddNumbered(ChoiceList& list, const char* prefix, int32_t count) {
  for (int32_t i = 1; i <= count; ++i) {
    const std::string name = prefix + std::to_string(i);
    list.Add(name, name);
  }
}

}  // namespace

CPortSettingsRules::CPortSettingsRules(const CRegistryAccess& reg, DeviceClass deviceClass,
                                       const std::string& deviceName, bool isNew, UsbPrinterItems usb)
    : reg_(reg), deviceClass_(deviceClass), deviceName_(deviceName), isNew_(isNew), usb_(std::move(usb)) {}

bool CPortSettingsRules::Open(IMessageBox& box) {
  std::string installDir;
  if (!setup_data::ReadInstallDir(reg_, &installDir)) {
    box.Show(kRegistryReadError);
    box.Show(kInfFileError);
    return false;
  }
  serialCount_ = setup_data::ReadComRange(installDir);
  // The parallel count is the one the port range dialog edits.
  parallelCount_ = setup_data::ReadLptRange(installDir);
  FillLists(form_);
  LoadEntry(box);
  rememberedPort_ = form_.port.SelectedText();
  return true;
}

void CPortSettingsRules::LoadEntry(IMessageBox& box) {
  namespace s = schema;
  const std::string key = device_rules::DeviceKeyPath(deviceClass_, deviceName_);
  form_.deviceName = deviceName_;
  int32_t portType = 0;
  reg_.ReadNumber(key, s::kPortTypeRead, &portType);
  const setup_data::PortInterfaces offered = setup_data::InterfacesForPortType(portType);
  form_.interfaceEnabled = {offered.serial, offered.parallel, offered.usb, offered.ethernet};

  reg_.ReadString(key, s::kPid, &pid_);
  reg_.ReadString(key, s::kVid, &vid_);
  reg_.ReadString(key, s::kUsbDeviceNameRead, &usbDeviceName_);
  std::string tcpIp;
  reg_.ReadString(key, s::kTcpIp, &tcpIp);
  form_.ip = ParseIpAddress(tcpIp);
  int32_t tcpPort = 0;
  reg_.ReadNumber(key, s::kTcpPort, &tcpPort);
  form_.tcpPort = std::to_string(static_cast<uint32_t>(tcpPort));

  std::string port;
  reg_.ReadString(key, s::kPort, &port);
  FillPorts(InterfaceOf(port), box);
  const UsbPrinterItem* stored = FindUsbByPath(usb_, usbDeviceName_);
  if (form_.iface != PortInterface::kUsb || !stored || !form_.port.SelectText(stored->displayName)) {
    form_.port.SelectText(port);
  }
  LoadSerialValues(key);
  reg_.ReadString(key, s::kInputBuf, &form_.inputBuf);
  reg_.ReadString(key, s::kOutputBuf, &form_.outputBuf);
  reg_.ReadString(key, s::kOutInterval, &form_.outInterval);
  reg_.ReadString(key, s::kInputSleep, &form_.inputSleep);
  reg_.ReadString(key, s::kLDN, &form_.ldn);
}

void CPortSettingsRules::LoadSerialValues(const std::string& key) {
  std::string baud, bits, parity, stop, handShake;
  reg_.ReadString(key, schema::kBaudRate, &baud);
  // An unlisted rate is kept only when it is a number a port can take.
  if (form_.baudRate.FindValue(baud) >= 0 || DecimalValue(baud) > 0) ShowStored(form_.baudRate, baud);
  reg_.ReadString(key, schema::kBitLength, &bits);
  ShowStored(form_.bitLength, bits);
  reg_.ReadString(key, schema::kParity, &parity);
  ShowStored(form_.parity, parity);
  reg_.ReadString(key, schema::kStop, &stop);
  ShowStored(form_.stopBits, stop, {kStopNames[0], kStopNames[1]});
  reg_.ReadString(key, schema::kHandShake, &handShake);
  ShowStored(form_.flowControl, handShake);
}

void CPortSettingsRules::FillPorts(PortInterface iface, IMessageBox& box) {
  form_.port.Clear();
  form_.iface = iface;
  form_.inputBuf = form_.outputBuf = "8192";
  switch (iface) {
    case PortInterface::kSerial: AddNumbered(form_.port, "COM", serialCount_); break;
    case PortInterface::kParallel: AddNumbered(form_.port, "LPT", parallelCount_); break;
    case PortInterface::kUsb:
      for (const UsbPrinterItem& item : usb_) {
        if (item.productId == pid_) form_.port.Add(item.displayName, item.displayName);
      }
      if (form_.port.texts.empty()) {
        box.Show(kNoUsbDevice);
        FillPorts(PortInterface::kSerial, box);
      }
      form_.inputBuf = form_.outputBuf = "4096";
      break;
    case PortInterface::kEthernet:
      form_.inputBuf = "1024";
      form_.outputBuf = "10240";
      return;
  }
  if (!form_.port.texts.empty()) form_.port.selected = 0;
}

void CPortSettingsRules::ChooseInterface(PortInterface iface, IMessageBox& box) {
  if (!form_.interfaceEnabled[static_cast<int>(iface)]) return;
  FillPorts(iface, box);
  // The conflict check puts back a pick of the list now shown.
  rememberedPort_ = form_.port.SelectedText();
}

void CPortSettingsRules::PickPort(int index, IMessageBox& box) {
  if (form_.Ethernet() || index < 0 || index >= static_cast<int>(form_.port.texts.size())) return;
  form_.port.selected = index;
  const std::string picked = form_.port.texts[index];
  if (!PortUsedByOther(picked)) {
    rememberedPort_ = picked;
    return;
  }
  form_.port.SelectText(rememberedPort_);
  box.Show(kPortTaken + picked);
}

// USB picks compare device paths, and only with devices now set to USB:
// a device moved to another port keeps its old path but no longer uses it.
bool CPortSettingsRules::PortUsedByOther(const std::string& picked) const {
  const bool usb = device_rules::PortKindOf(picked) == PortKind::kUsb;
  std::string wanted = picked;
  if (usb) {
    const UsbPrinterItem* item = FindByDisplayName(usb_, picked);
    if (!item) return false;
    wanted = item->devicePath;
  }
  for (const std::string& name : reg_.ScanClassKey(device_rules::ClassKeyPath(deviceClass_))) {
    const std::string key = device_rules::DeviceKeyPath(deviceClass_, name);
    std::string used;
    reg_.ReadString(key, schema::kPort, &used);
    if (usb) {
      if (device_rules::PortKindOf(used) != PortKind::kUsb) continue;
      used.clear();
      reg_.ReadString(key, schema::kUsbDeviceNameRead, &used);
    }
    if (used == wanted) return name != deviceName_;
  }
  return false;
}

}  // namespace devsetup
