// A device path on POSIX: a tty (set up with termios from the line
// settings), a character device such as /dev/usb/lp0, or a plain file that
// collects the data (opened for appending, never read, never created).
#pragma once

#include "portmgr/core/transport.h"

namespace portmgr {
namespace posix {

class CFdTransport : public ITransport {
 public:
  explicit CFdTransport(const LinkConfig& config) : config_(config) {}
  ~CFdTransport() override { Close(); }

  bool Open(int timeoutMs) override;
  void Close() override;
  int32_t Send(const uint8_t* data, int32_t length, int timeoutMs) override;
  int32_t Receive(uint8_t* buffer, int32_t length, int waitMs) override;
  // With RTS/CTS (DTR/DSR) flow on a tty: CTS (DSR) as the line reports it.
  bool PeerPresent() override;

 private:
  const LinkConfig config_;
  int fd_ = -1;
  bool tty_ = false;
  bool readable_ = false;  // false for plain files and write-only devices
};

// termios set-up of an open tty from the line settings; false when a value
// has no termios equivalent (an unknown baud rate).
bool ConfigureTty(int fd, const LinkConfig& config);

}  // namespace posix
}  // namespace portmgr
