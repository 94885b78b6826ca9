#include "setup/dialogs/usb_items.h"

#include <cstdio>

namespace devsetup {
namespace {
constexpr size_t kVidAt = 12, kPidAt = 21, kIdChars = 4;

std::string Cut(const std::string& path, size_t at) { return at < path.size() ? path.substr(at, kIdChars) : ""; }
}  // namespace

UsbPrinterItems MakeUsbItems(const std::vector<std::string>& devicePaths) {
  UsbPrinterItems items;
  for (const std::string& path : devicePaths) {
    UsbPrinterItem item;
    item.devicePath = path;
    item.vendorId = Cut(path, kVidAt);
    item.productId = Cut(path, kPidAt);
    item.ordinal = 1;
    for (const UsbPrinterItem& before : items) item.ordinal += before.productId == item.productId ? 1 : 0;
    char name[16];
    std::snprintf(name, sizeof name, "USB%03d:", static_cast<int>(items.size() + 1));
    item.displayName = name;
    items.push_back(item);
  }
  return items;
}

const UsbPrinterItem* FindByDisplayName(const UsbPrinterItems& items, const std::string& name) {
  for (const UsbPrinterItem& item : items) {
    if (item.displayName == name) return &item;
  }
  return items.empty() ? nullptr : &items.back();
}

const UsbPrinterItem* FindUsbByPath(const UsbPrinterItems& items, const std::string& devicePath) {
  for (const UsbPrinterItem& item : items) {
    if (!devicePath.empty() && item.devicePath == devicePath) return &item;
  }
  return nullptr;
}

}  // namespace devsetup
