// The USB printers attached now, as the system lists them: on Windows the
// present interfaces of the USB printer interface class
// {28D78FAD-5A12-11D1-AE5B-0000F803A8C2} (SetupDi), on POSIX the USB printer
// devices /dev/usb/lp* with their ids from sysfs. Only interfaces that can
// be opened for reading and writing are listed (a printer another program
// holds exclusively is left out).
//
// Threads: any; nothing is cached between calls.
#pragma once

#include <string>
#include <vector>

namespace platform {

struct UsbPrinterInterface {
  std::string devicePath;
  // 4 hexadecimal characters each when the system tells them apart from
  // the path (POSIX); empty where the path itself carries them (Windows).
  std::string vendorId;
  std::string productId;
};

// In discovery order. On Windows the interface indices are visited in
// batches ending at 8, 16, 32, ...; the enumeration ends after the first
// batch that found a printer, or at the end of the list.
std::vector<UsbPrinterInterface> ListUsbPrinterInterfaces();

}  // namespace platform
