// A serial line ("\\.\COMn"): line settings and flow control through the
// DCB, reads that return as soon as a byte is there.
#pragma once

#include "portmgr/core/transport.h"
#include "portmgr/win32/overlapped_io.h"

namespace portmgr {
namespace win32 {

class CSerialTransport : public ITransport {
 public:
  explicit CSerialTransport(const LinkConfig& config) : config_(config) {}
  ~CSerialTransport() override { Close(); }

  bool Open(int timeoutMs) override;
  void Close() override;
  int32_t Send(const uint8_t* data, int32_t length, int timeoutMs) override;
  int32_t Receive(uint8_t* buffer, int32_t length, int waitMs) override;
  // With RTS/CTS (DTR/DSR) flow: CTS (DSR) as the modem status reports it.
  bool PeerPresent() override;

 private:
  bool Configure();

  const LinkConfig config_;
  HANDLE h_ = INVALID_HANDLE_VALUE;
  CIoEvent readEvent_;
  CIoEvent writeEvent_;
};

}  // namespace win32
}  // namespace portmgr
