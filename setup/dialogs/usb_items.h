// The attached USB printers as the port settings dialog lists them, one
// item per printer in discovery order.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace devsetup {

struct UsbPrinterItem {
  std::string devicePath;   // upper case
  std::string displayName;  // "USB%03d:" by position in the whole list
  std::string productId;    // 4 hexadecimal digits
  std::string vendorId;
  int32_t ordinal = 0;      // from 1, among the items with the same product id
};
using UsbPrinterItems = std::vector<UsbPrinterItem>;

// Items for upper-cased device paths of the form \\?\USB#VID_xxxx&PID_yyyy#...,
// in the order given.
UsbPrinterItems MakeUsbItems(const std::vector<std::string>& devicePaths);
// The first item with that display name; the last item when none has it;
// null for an empty list.
const UsbPrinterItem* FindByDisplayName(const UsbPrinterItems& items, const std::string& name);

// The item with exactly that device path; null when none has it.
const UsbPrinterItem* FindUsbByPath(const UsbPrinterItems& items, const std::string& devicePath);

}  // namespace devsetup
