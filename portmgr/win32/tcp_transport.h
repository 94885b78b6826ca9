// A TCP connection to a network printer over Winsock (IPv4 address, port).
#pragma once

#include <winsock2.h>

#include "portmgr/core/transport.h"

namespace portmgr {
namespace win32 {

class CTcpTransport : public ITransport {
 public:
  explicit CTcpTransport(const LinkConfig& config) : config_(config) {}
  ~CTcpTransport() override { Close(); }

  // Connects within timeoutMs; keep-alive probes notice a silent peer.
  bool Open(int timeoutMs) override;
  void Close() override;
  int32_t Send(const uint8_t* data, int32_t length, int timeoutMs) override;
  // The peer closing the connection counts as broken (-1).
  int32_t Receive(uint8_t* buffer, int32_t length, int waitMs) override;

 private:
  const LinkConfig config_;
  SOCKET s_ = INVALID_SOCKET;
};

}  // namespace win32
}  // namespace portmgr
