// A parallel port ("\\.\LPTn"), a USB printer device path, or a plain file
// that collects the data (appended to, never read, never created).
#pragma once

#include "portmgr/core/transport.h"
#include "portmgr/win32/overlapped_io.h"

namespace portmgr {
namespace win32 {

class CFileTransport : public ITransport {
 public:
  explicit CFileTransport(const LinkConfig& config) : config_(config) {}
  ~CFileTransport() override { Close(); }

  bool Open(int timeoutMs) override;
  void Close() override;
  int32_t Send(const uint8_t* data, int32_t length, int timeoutMs) override;
  // Devices that cannot be read (many parallel ports) just never answer.
  int32_t Receive(uint8_t* buffer, int32_t length, int waitMs) override;

 private:
  const LinkConfig config_;
  HANDLE h_ = INVALID_HANDLE_VALUE;
  bool disk_ = false;
  bool readable_ = false;  // reader thread only after Open
  CIoEvent readEvent_;
  CIoEvent writeEvent_;
};

}  // namespace win32
}  // namespace portmgr
