#include "common/usb_printer_list.h"

#include <cstdio>

#include "common/registry_access.h"
#include "platform/system.h"

namespace {

// Where the 95 family keeps a printer interface's device instance.
const char kInterfaceKeyPrefix[] =
    "System\\CurrentControlSet\\Control\\DeviceClasses\\{28d78fad-5a12-11d1-ae5b-0000f803a8c2}\\##.#";
constexpr size_t kMaxInstanceBytes = 255;

// Positions of the ids in "\\?\USB#VID_xxxx&PID_yyyy#..." and in a device
// instance "USB\VID_xxxx&PID_yyyy\...".
constexpr size_t kPathVendorAt = 12, kPathProductAt = 21;
constexpr size_t kInstanceVendorAt = 8, kInstanceProductAt = 17;
constexpr size_t kIdLength = 4;

// Only a to z change.
std::string Upper(std::string text) {
  for (char& c : text) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return text;
}

std::string Part(const std::string& text, size_t at) { return at < text.size() ? text.substr(at, kIdLength) : ""; }

// Windows device paths ("\\?\...") are case-insensitive and listed in
// upper case; POSIX device files keep their names.
bool IsWindowsDevicePath(const std::string& path) { return path.compare(0, 2, "\\\\") == 0; }

}  // namespace

CUsbPrinterList::CUsbPrinterList() : CUsbPrinterList(platform::ListUsbPrinterInterfaces, platform::IsWindows95Family()) {}

CUsbPrinterList::CUsbPrinterList(Source source, bool windows95Family)
    : source_(std::move(source)), windows95Family_(windows95Family) {}

int32_t CUsbPrinterList::Refresh() {
  ClearList();
  if (source_) {
    for (const platform::UsbPrinterInterface& printer : source_()) Add(printer);
  }
  return Count();
}

void CUsbPrinterList::ClearList() { records_.clear(); }

bool CUsbPrinterList::IdsFromRegistry(const std::string& path, std::string* vendorId, std::string* productId) const {
  std::string instance;
  const std::string key = kInterfaceKeyPrefix + (path.size() > 4 ? path.substr(4) : std::string());
  if (!CRegistryAccess().ReadString(key, "DeviceInstance", &instance)) return false;
  if (instance.empty() || instance.size() > kMaxInstanceBytes) return false;
  instance = Upper(instance);
  *vendorId = Part(instance, kInstanceVendorAt);
  *productId = Part(instance, kInstanceProductAt);
  return true;
}

void CUsbPrinterList::Add(const platform::UsbPrinterInterface& printer) {
  auto record = std::make_unique<UsbPrinterRecord>();
  record->devicePath = IsWindowsDevicePath(printer.devicePath) ? Upper(printer.devicePath) : printer.devicePath;
  if (!printer.productId.empty() || !printer.vendorId.empty()) {
    record->vendorId = printer.vendorId;
    record->productId = printer.productId;
  } else if (windows95Family_) {
    if (!IdsFromRegistry(record->devicePath, &record->vendorId, &record->productId)) return;
  } else {
    record->vendorId = Part(record->devicePath, kPathVendorAt);
    record->productId = Part(record->devicePath, kPathProductAt);
  }
  record->ordinal = 1;
  for (const auto& listed : records_) record->ordinal += listed->productId == record->productId;
  char name[16];
  std::snprintf(name, sizeof name, "USB%03d:", static_cast<int>(records_.size() + 1));
  record->displayName = name;
  records_.push_back(std::move(record));
}

std::string CUsbPrinterList::ResolveUsbPort(const std::string& storedPath, int32_t count,
                                            const std::string& productId) const {
  for (const auto& r : records_) {
    if (r->devicePath == storedPath) return r->devicePath;
  }
  int32_t matches = 0;
  for (const auto& r : records_) matches += r->productId == productId;
  if (matches == 0) return std::string();
  const int32_t wanted = count < matches ? count : matches;
  int32_t seen = 0;
  for (const auto& r : records_) {
    if (r->productId == productId && ++seen == wanted) return r->devicePath;
  }
  return std::string();  // count below 1
}

const UsbPrinterRecord* CUsbPrinterList::ItemAt(int32_t position) const {
  if (position < 0 || position >= Count()) return nullptr;
  return records_[static_cast<size_t>(position)].get();
}

const UsbPrinterRecord* CUsbPrinterList::FindByDisplayName(const std::string& name) const {
  if (records_.empty()) return nullptr;
  for (const auto& r : records_) {
    if (r->displayName == name) return r.get();
  }
  return records_.back().get();
}

std::string ResolveAttachedUsbPrinter(const std::string& storedPath, const std::string& productId) {
  CUsbPrinterList list;
  const int32_t count = list.Refresh();
  return list.ResolveUsbPort(storedPath, count, productId);
}
