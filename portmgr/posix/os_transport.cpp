#include "portmgr/core/transport.h"
#include "portmgr/posix/fd_transport.h"
#include "portmgr/posix/tcp_transport.h"

namespace portmgr {

// Serial, parallel and device paths are all descriptors here; the tty
// set-up happens when the opened path turns out to be a terminal.
std::unique_ptr<ITransport> MakeOsTransport(const LinkConfig& config) {
  switch (config.kind) {
    case LinkKind::Tcp:
      return std::make_unique<posix::CTcpTransport>(config);
    case LinkKind::Serial:
    case LinkKind::Parallel:
    case LinkKind::Device:
      return std::make_unique<posix::CFdTransport>(config);
    case LinkKind::Null:
      break;
  }
  return nullptr;
}

}  // namespace portmgr
