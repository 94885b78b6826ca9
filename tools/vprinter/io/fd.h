// Small POSIX helpers for the transports.
#pragma once

#include <string>

namespace vprinter {

// An owned file descriptor, closed on destruction.
class Fd {
 public:
  Fd() = default;
  explicit Fd(int fd) : fd_(fd) {}
  ~Fd() { reset(); }
  Fd(Fd&& o) noexcept : fd_(o.release()) {}
  Fd& operator=(Fd&& o) noexcept {
    if (this != &o) reset(o.release());
    return *this;
  }
  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }
  int release() {
    int f = fd_;
    fd_ = -1;
    return f;
  }
  void reset(int fd = -1);

 private:
  int fd_ = -1;
};

bool setNonBlocking(int fd);
// Listening TCP socket on 127.0.0.1:port (0 picks one); port gets the bound port.
// `backlog`: connections the kernel queues before they are accepted.
Fd listenTcp(int& port, std::string& error, int backlog = 8);
// Listening unix socket at path (an old socket file there is replaced).
Fd listenUnix(const std::string& path, std::string& error);
// A pseudo-terminal in raw mode: returns the master; `slave` keeps the
// terminal side open so the master never sees a hang-up between users.
Fd openPty(std::string& path, Fd& slave, std::string& error);

}  // namespace vprinter
