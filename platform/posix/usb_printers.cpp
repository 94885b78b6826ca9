// USB printers on Linux: the usblp devices /dev/usb/lp0.. and the vendor
// and product ids of the USB device above each one in sysfs.
#include "platform/usb_printers.h"

#include <fcntl.h>
#include <unistd.h>

#include <cctype>
#include <fstream>

namespace platform {

namespace {

constexpr int kMaxPrinters = 16;  // usblp's minor range

std::string ReadId(const std::string& file) {
  std::ifstream in(file);
  std::string id;
  in >> id;
  if (id.size() != 4) return std::string();
  for (char& c : id) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return id;
}

bool Opens(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  ::close(fd);
  return true;
}

}  // namespace

std::vector<UsbPrinterInterface> ListUsbPrinterInterfaces() {
  std::vector<UsbPrinterInterface> found;
  for (int i = 0; i < kMaxPrinters; ++i) {
    const std::string name = "lp" + std::to_string(i);
    UsbPrinterInterface printer;
    printer.devicePath = "/dev/usb/" + name;
    if (!Opens(printer.devicePath)) continue;
    // .../usbmisc/lpN/device is the interface; its parent is the device.
    const std::string device = "/sys/class/usbmisc/" + name + "/device/../";
    printer.vendorId = ReadId(device + "idVendor");
    printer.productId = ReadId(device + "idProduct");
    found.push_back(printer);
  }
  return found;
}

}  // namespace platform
