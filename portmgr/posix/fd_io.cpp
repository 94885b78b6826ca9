#include "portmgr/posix/fd_io.h"

#include <cerrno>
#include <chrono>
#include <poll.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace portmgr {
namespace posix {

int WaitFd(int fd, short events, int ms) {
  pollfd p{fd, events, 0};
  for (;;) {
    const int r = poll(&p, 1, ms < 0 ? 0 : ms);
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) return -1;
    if (r == 0) return 0;
    if (p.revents & events) return 1;
    return -1;  // POLLERR, POLLHUP or POLLNVAL alone
  }
}

int32_t SendSome(int fd, const uint8_t* data, int32_t length, int ms, bool socket) {
  for (;;) {
    const ssize_t n = socket ? ::send(fd, data, size_t(length), MSG_NOSIGNAL) : ::write(fd, data, size_t(length));
    if (n >= 0) return int32_t(n);
    if (errno == EINTR) continue;
    if (errno != EAGAIN && errno != EWOULDBLOCK) return -1;
    const int ready = WaitFd(fd, POLLOUT, ms);
    if (ready <= 0) return ready;
    ms = 0;  // one wait per call; the port loops
  }
}

void CloseFd(int* fd) {
  if (*fd >= 0) ::close(*fd);
  *fd = -1;
}

void SleepMs(int ms) {
  if (ms > 0) std::this_thread::sleep_for(std::chrono::milliseconds(ms));
}

}  // namespace posix
}  // namespace portmgr
