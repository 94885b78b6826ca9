#include "portmgr/win32/serial_transport.h"

#include "portmgr/portmgr.h"

namespace portmgr {
namespace win32 {

namespace {

const BYTE kParity[] = {NOPARITY, EVENPARITY, ODDPARITY};        // by parity index
const BYTE kStopBits[] = {ONESTOPBIT, ONE5STOPBITS, TWOSTOPBITS};  // by stop index

constexpr DWORD kReadSliceMs = 50;  // longest a read waits for its first byte

void SetFlow(DCB* dcb, int flow) {
  dcb->fOutxCtsFlow = flow == PORTMGR_FLOW_RTSCTS;
  dcb->fRtsControl = flow == PORTMGR_FLOW_RTSCTS ? RTS_CONTROL_HANDSHAKE : RTS_CONTROL_ENABLE;
  dcb->fOutxDsrFlow = flow == PORTMGR_FLOW_DTRDSR;
  dcb->fDtrControl = flow == PORTMGR_FLOW_DTRDSR ? DTR_CONTROL_HANDSHAKE : DTR_CONTROL_ENABLE;
  dcb->fOutX = dcb->fInX = flow == PORTMGR_FLOW_XONXOFF;
  dcb->XonChar = 0x11;
  dcb->XoffChar = 0x13;
  dcb->XonLim = 256;
  dcb->XoffLim = 256;
}

}  // namespace

bool CSerialTransport::Configure() {
  if (config_.outputBuffer > 0) SetupComm(h_, DWORD(config_.inputBuffer), DWORD(config_.outputBuffer));
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  if (!GetCommState(h_, &dcb)) return false;
  dcb.BaudRate = DWORD(config_.baudRate);
  dcb.ByteSize = BYTE(config_.dataBits);
  dcb.Parity = kParity[config_.parity];
  dcb.StopBits = kStopBits[config_.stopBits];
  dcb.fBinary = TRUE;
  dcb.fParity = config_.parity != 0;
  dcb.fDsrSensitivity = FALSE;
  dcb.fNull = FALSE;
  dcb.fAbortOnError = FALSE;
  SetFlow(&dcb, config_.flow);
  if (!SetCommState(h_, &dcb)) return false;

  COMMTIMEOUTS t{};
  // A read ends when its buffer is full or kReadSliceMs have passed. (The
  // "return at the first byte" form, MAXDWORD/MAXDWORD/n, is not honoured
  // by Wine's serial driver for overlapped reads: they ran until the
  // cancel of the safety net, a second late.)
  t.ReadIntervalTimeout = 0;
  t.ReadTotalTimeoutMultiplier = 0;
  t.ReadTotalTimeoutConstant = kReadSliceMs;
  t.WriteTotalTimeoutMultiplier = DWORD(config_.WritePerByteMs());
  t.WriteTotalTimeoutConstant = DWORD(config_.WriteConstantMs());
  if (!SetCommTimeouts(h_, &t)) return false;
  PurgeComm(h_, PURGE_RXCLEAR | PURGE_TXCLEAR);
  return true;
}

bool CSerialTransport::Open(int) {
  Close();
  h_ = CreateFileA(config_.path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                   FILE_FLAG_OVERLAPPED, nullptr);
  if (h_ == INVALID_HANDLE_VALUE || !readEvent_.Get() || !writeEvent_.Get()) {
    CloseIfOpen(&h_);
    return false;
  }
  if (!Configure()) {
    CloseIfOpen(&h_);
    return false;
  }
  return true;
}

void CSerialTransport::Close() { CloseIfOpen(&h_); }

int32_t CSerialTransport::Send(const uint8_t* data, int32_t length, int timeoutMs) {
  if (h_ == INVALID_HANDLE_VALUE) return -1;
  DWORD count = 0;
  const IoResult r = OverlappedWrite(h_, writeEvent_.Get(), data, DWORD(length), timeoutMs, false, &count);
  return r == IoResult::Done ? int32_t(count) : -1;
}

int32_t CSerialTransport::Receive(uint8_t* buffer, int32_t length, int waitMs) {
  if (h_ == INVALID_HANDLE_VALUE) return -1;
  DWORD count = 0;
  // The read ends by itself after kReadSliceMs; the wait is a safety net.
  const IoResult r = OverlappedRead(h_, readEvent_.Get(), buffer, DWORD(length), waitMs + 1000, &count);
  return r == IoResult::Done ? int32_t(count) : -1;
}

bool CSerialTransport::PeerPresent() {
  DWORD line = 0;
  if (config_.flow == PORTMGR_FLOW_RTSCTS) line = MS_CTS_ON;
  if (config_.flow == PORTMGR_FLOW_DTRDSR) line = MS_DSR_ON;
  DWORD bits = 0;
  if (line == 0 || h_ == INVALID_HANDLE_VALUE || !GetCommModemStatus(h_, &bits)) return true;
  return (bits & line) != 0;
}

}  // namespace win32
}  // namespace portmgr
