// USB printers through the device set-up interface: the present interfaces
// of the USB printer class, each opened once to see that it is usable.
#include "platform/usb_printers.h"

#include <windows.h>
#include <setupapi.h>

#include <memory>

namespace platform {

namespace {

const GUID kUsbPrinterClass = {0x28d78fad, 0x5a12, 0x11d1, {0xae, 0x5b, 0x00, 0x00, 0xf8, 0x03, 0xa8, 0xc2}};
constexpr DWORD kFirstBatchEnd = 8;

// The interface's device path, empty when it can't be described.
std::string DevicePath(HDEVINFO set, SP_DEVICE_INTERFACE_DATA* data) {
  DWORD size = 0;
  SetupDiGetDeviceInterfaceDetailA(set, data, nullptr, 0, &size, nullptr);
  if (size < sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A)) return std::string();
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[size]);
  if (!buffer) return std::string();
  auto* detail = reinterpret_cast<SP_DEVICE_INTERFACE_DETAIL_DATA_A*>(buffer.get());
  detail->cbSize = sizeof(SP_DEVICE_INTERFACE_DETAIL_DATA_A);
  if (!SetupDiGetDeviceInterfaceDetailA(set, data, detail, size, nullptr, nullptr)) return std::string();
  return detail->DevicePath;
}

bool Opens(const std::string& path) {
  HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  CloseHandle(h);
  return true;
}

}  // namespace

std::vector<UsbPrinterInterface> ListUsbPrinterInterfaces() {
  std::vector<UsbPrinterInterface> found;
  HDEVINFO set = SetupDiGetClassDevsA(&kUsbPrinterClass, nullptr, nullptr, DIGCF_PRESENT | DIGCF_DEVICEINTERFACE);
  if (set == INVALID_HANDLE_VALUE) return found;
  DWORD index = 0;
  bool more = true;
  for (DWORD batchEnd = kFirstBatchEnd; more && found.empty(); batchEnd *= 2) {
    for (; index < batchEnd; ++index) {
      SP_DEVICE_INTERFACE_DATA data = {};
      data.cbSize = sizeof data;
      if (!SetupDiEnumDeviceInterfaces(set, nullptr, &kUsbPrinterClass, index, &data)) {
        if (GetLastError() == ERROR_NO_MORE_ITEMS) {
          more = false;
          break;
        }
        continue;
      }
      const std::string path = DevicePath(set, &data);
      if (!path.empty() && Opens(path)) found.push_back({path, std::string(), std::string()});
    }
    if (batchEnd > 0x40000000) break;
  }
  SetupDiDestroyDeviceInfoList(set);
  return found;
}

}  // namespace platform
