#include "portmgr/posix/tcp_transport.h"

#include <arpa/inet.h>
#include <cerrno>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "portmgr/posix/fd_io.h"

namespace portmgr {
namespace posix {

namespace {

void SetOptions(int fd) {
  const int on = 1, idle = 5, interval = 2, count = 3;
  setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
  setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
  setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
  setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
  setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &count, sizeof count);
}

bool Connected(int fd, int timeoutMs) {
  if (WaitFd(fd, POLLOUT, timeoutMs) != 1) return false;
  int error = 0;
  socklen_t size = sizeof error;
  return getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0;
}

}  // namespace

bool CTcpTransport::Open(int timeoutMs) {
  Close();
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(uint16_t(config_.tcpPort));
  if (inet_pton(AF_INET, config_.path.c_str(), &address.sin_addr) != 1) return false;
  fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd_ < 0) return false;
  SetOptions(fd_);
  const int r = ::connect(fd_, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  if (r == 0 || (errno == EINPROGRESS && Connected(fd_, timeoutMs))) return true;
  CloseFd(&fd_);
  return false;
}

void CTcpTransport::Close() { CloseFd(&fd_); }

int32_t CTcpTransport::Send(const uint8_t* data, int32_t length, int timeoutMs) {
  if (fd_ < 0) return -1;
  return SendSome(fd_, data, length, timeoutMs, true);
}

int32_t CTcpTransport::Receive(uint8_t* buffer, int32_t length, int waitMs) {
  if (fd_ < 0) return -1;
  const int ready = WaitFd(fd_, POLLIN, waitMs);
  if (ready <= 0) return ready;
  const ssize_t n = ::recv(fd_, buffer, size_t(length), 0);
  if (n > 0) return int32_t(n);
  if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return 0;
  return -1;  // closed by the peer, or failed
}

}  // namespace posix
}  // namespace portmgr
