#include "portmgr/win32/tcp_transport.h"

#include <mstcpip.h>
#include <ws2tcpip.h>

#include <mutex>

namespace portmgr {
namespace win32 {

namespace {

// Winsock stays started for the life of the process.
bool StartWinsock() {
  static std::once_flag once;
  static bool started = false;
  std::call_once(once, [] {
    WSADATA data;
    started = WSAStartup(MAKEWORD(2, 2), &data) == 0;
  });
  return started;
}

// 1 ready, 0 time-out, -1 error.
int WaitSocket(SOCKET s, bool forWrite, int ms) {
  fd_set ready, failed;
  FD_ZERO(&ready);
  FD_ZERO(&failed);
  FD_SET(s, &ready);
  FD_SET(s, &failed);
  timeval tv{ms / 1000, (ms % 1000) * 1000};
  const int r = select(0, forWrite ? nullptr : &ready, forWrite ? &ready : nullptr, &failed, &tv);
  if (r < 0 || FD_ISSET(s, &failed)) return -1;
  return r == 0 ? 0 : 1;
}

void SetOptions(SOCKET s) {
  u_long nonBlocking = 1;
  ioctlsocket(s, FIONBIO, &nonBlocking);
  const BOOL on = TRUE;
  setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
  tcp_keepalive keep{1, 5000, 2000};
  DWORD unused = 0;
  WSAIoctl(s, SIO_KEEPALIVE_VALS, &keep, sizeof keep, nullptr, 0, &unused, nullptr, nullptr);
}

bool Connected(SOCKET s, int timeoutMs) {
  if (WaitSocket(s, true, timeoutMs) != 1) return false;
  int error = 0;
  int size = sizeof error;
  return getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) == 0 && error == 0;
}

bool WouldBlock() { return WSAGetLastError() == WSAEWOULDBLOCK; }

}  // namespace

bool CTcpTransport::Open(int timeoutMs) {
  Close();
  if (!StartWinsock()) return false;
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(u_short(config_.tcpPort));
  if (inet_pton(AF_INET, config_.path.c_str(), &address.sin_addr) != 1) return false;
  s_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s_ == INVALID_SOCKET) return false;
  SetOptions(s_);
  const int r = connect(s_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  if (r == 0 || (WouldBlock() && Connected(s_, timeoutMs))) return true;
  Close();
  return false;
}

void CTcpTransport::Close() {
  if (s_ != INVALID_SOCKET) closesocket(s_);
  s_ = INVALID_SOCKET;
}

int32_t CTcpTransport::Send(const uint8_t* data, int32_t length, int timeoutMs) {
  if (s_ == INVALID_SOCKET) return -1;
  for (int attempt = 0; attempt < 2; ++attempt) {
    const int n = send(s_, reinterpret_cast<const char*>(data), length, 0);
    if (n >= 0) return n;
    if (!WouldBlock()) return -1;
    const int ready = WaitSocket(s_, true, attempt == 0 ? timeoutMs : 0);
    if (ready <= 0) return ready;
  }
  return 0;
}

int32_t CTcpTransport::Receive(uint8_t* buffer, int32_t length, int waitMs) {
  if (s_ == INVALID_SOCKET) return -1;
  const int ready = WaitSocket(s_, false, waitMs);
  if (ready <= 0) return ready;
  const int n = recv(s_, reinterpret_cast<char*>(buffer), length, 0);
  if (n > 0) return n;
  if (n < 0 && WouldBlock()) return 0;
  return -1;  // closed by the peer, or failed
}

}  // namespace win32
}  // namespace portmgr
