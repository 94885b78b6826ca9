#include <cctype>

#include "portmgr/core/transport.h"
#include "portmgr/win32/file_transport.h"
#include "portmgr/win32/serial_transport.h"
#include "portmgr/win32/tcp_transport.h"

namespace portmgr {

namespace {

// "\\.\COMn" given as a device path is still a serial line.
bool IsSerialDevicePath(const std::string& path) {
  const char prefix[] = "\\\\.\\COM";
  if (path.size() <= sizeof prefix - 1) return false;
  for (size_t i = 0; i < sizeof prefix - 1; ++i) {
    if (std::toupper(static_cast<unsigned char>(path[i])) != prefix[i]) return false;
  }
  return true;
}

}  // namespace

std::unique_ptr<ITransport> MakeOsTransport(const LinkConfig& config) {
  switch (config.kind) {
    case LinkKind::Tcp:
      return std::make_unique<win32::CTcpTransport>(config);
    case LinkKind::Serial:
      return std::make_unique<win32::CSerialTransport>(config);
    case LinkKind::Device:
      if (IsSerialDevicePath(config.path)) return std::make_unique<win32::CSerialTransport>(config);
      return std::make_unique<win32::CFileTransport>(config);
    case LinkKind::Parallel:
      return std::make_unique<win32::CFileTransport>(config);
    case LinkKind::Null:
      break;
  }
  return nullptr;
}

}  // namespace portmgr
