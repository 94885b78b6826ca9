// A TCP connection to a network printer (IPv4 address and port).
#pragma once

#include "portmgr/core/transport.h"

namespace portmgr {
namespace posix {

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
  int fd_ = -1;
};

}  // namespace posix
}  // namespace portmgr
