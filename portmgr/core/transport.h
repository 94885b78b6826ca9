// One physical link (serial line, device file, TCP connection) as the port
// sees it. Implementations: null_transport.h here, one set per OS in
// portmgr/posix and portmgr/win32, and scripted ones in the tests.
//
// Threading contract, kept by CPort:
//   Open and Close run while no Send or Receive can be in flight: before the
//   reader thread starts, after it has ended, or on the reader thread itself
//   while the link is marked down, so no Send can start (reconnecting).
//   Send runs with the port's write lock held, on any caller's thread.
//   Receive and PeerPresent run on the reader thread only, concurrently
//   with Send.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "portmgr/core/link_config.h"

namespace portmgr {

class ITransport {
 public:
  virtual ~ITransport() = default;  // closes if still open

  // Opens and configures the link. Blocks up to timeoutMs (connecting);
  // true when the link is usable.
  virtual bool Open(int timeoutMs) = 0;
  // Releases the link; harmless when it is not open. Does not block long.
  virtual void Close() = 0;
  // Sends up to length bytes, waiting at most timeoutMs for the link to take
  // them. Gives the count taken (0 on time-out, possibly fewer than length),
  // or -1 when the link is broken and needs Close and Open.
  virtual int32_t Send(const uint8_t* data, int32_t length, int timeoutMs) = 0;
  // Waits at most waitMs for input; gives the count received (0: nothing
  // came), or -1 when the link is broken.
  virtual int32_t Receive(uint8_t* buffer, int32_t length, int waitMs) = 0;
  // False only when the link can tell that the device is gone (a handshake
  // line dropped); true when it cannot tell. Does not block.
  virtual bool PeerPresent() { return true; }
};

using TransportFactory = std::function<std::unique_ptr<ITransport>(const LinkConfig&)>;

// The transport for a configuration: the null one for LinkKind::Null,
// else MakeOsTransport. Null when nothing fits.
std::unique_ptr<ITransport> MakeTransport(const LinkConfig& config);
// Serial, parallel, device and TCP links of this OS (portmgr/posix or
// portmgr/win32).
std::unique_ptr<ITransport> MakeOsTransport(const LinkConfig& config);

}  // namespace portmgr
