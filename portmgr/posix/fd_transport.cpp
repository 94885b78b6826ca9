#include "portmgr/posix/fd_transport.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "portmgr/posix/fd_io.h"

namespace portmgr {
namespace posix {

bool CFdTransport::Open(int) {
  Close();
  int mode = O_RDWR;
  fd_ = ::open(config_.path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd_ < 0 && errno == EACCES) {
    mode = O_WRONLY;
    fd_ = ::open(config_.path.c_str(), O_WRONLY | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  }
  if (fd_ < 0) return false;
  struct stat st {};
  if (fstat(fd_, &st) != 0) {
    CloseFd(&fd_);
    return false;
  }
  const bool plain = S_ISREG(st.st_mode);
  tty_ = isatty(fd_) != 0;
  readable_ = mode == O_RDWR && !plain;
  if (plain && fcntl(fd_, F_SETFL, O_APPEND | O_NONBLOCK) != 0) {
    CloseFd(&fd_);
    return false;
  }
  if (tty_ && (ioctl(fd_, TIOCEXCL) != 0 || !ConfigureTty(fd_, config_))) {
    CloseFd(&fd_);
    return false;
  }
  return true;
}

void CFdTransport::Close() { CloseFd(&fd_); }

int32_t CFdTransport::Send(const uint8_t* data, int32_t length, int timeoutMs) {
  if (fd_ < 0) return -1;
  return SendSome(fd_, data, length, timeoutMs, false);
}

int32_t CFdTransport::Receive(uint8_t* buffer, int32_t length, int waitMs) {
  if (fd_ < 0) return -1;
  if (!readable_) {
    SleepMs(waitMs);
    return 0;
  }
  const int ready = WaitFd(fd_, POLLIN, waitMs);
  if (ready <= 0) return ready;
  const ssize_t n = ::read(fd_, buffer, size_t(length));
  if (n > 0) return int32_t(n);
  if (n < 0 && (errno == EAGAIN || errno == EINTR)) return 0;
  if (n < 0) return -1;
  // Nothing after a ready poll: a tty was hung up; other devices may just
  // have nothing now.
  if (tty_) return -1;
  SleepMs(waitMs);
  return 0;
}

bool CFdTransport::PeerPresent() {
  if (fd_ < 0 || !tty_) return true;
  int line = 0;
  if (config_.flow == 2) line = TIOCM_CTS;
  if (config_.flow == 3) line = TIOCM_DSR;
  int bits = 0;
  if (line == 0 || ioctl(fd_, TIOCMGET, &bits) != 0) return true;
  return (bits & line) != 0;
}

}  // namespace posix
}  // namespace portmgr
