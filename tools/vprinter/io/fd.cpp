#include "tools/vprinter/io/fd.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstdint>
#include <cstring>

namespace vprinter {
namespace {

std::string failed(const char* what) { return std::string(what) + ": " + std::strerror(errno); }

}  // namespace

void Fd::reset(int fd) {
  if (fd_ >= 0) ::close(fd_);
  fd_ = fd;
}

bool setNonBlocking(int fd) {
  int flags = fcntl(fd, F_GETFL, 0);
  return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

Fd listenTcp(int& port, std::string& error, int backlog) {
  Fd fd(socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!fd) return error = failed("socket"), Fd();
  int one = 1;
  setsockopt(fd.get(), SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  addr.sin_port = htons(std::uint16_t(port));
  if (bind(fd.get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0)
    return error = failed(("bind 127.0.0.1:" + std::to_string(port)).c_str()), Fd();
  if (listen(fd.get(), backlog) != 0) return error = failed("listen"), Fd();
  socklen_t len = sizeof addr;
  getsockname(fd.get(), reinterpret_cast<sockaddr*>(&addr), &len);
  port = ntohs(addr.sin_port);
  setNonBlocking(fd.get());
  return fd;
}

Fd listenUnix(const std::string& path, std::string& error) {
  sockaddr_un addr{};
  if (path.size() >= sizeof addr.sun_path) return error = "control socket path too long", Fd();
  Fd fd(socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0));
  if (!fd) return error = failed("socket"), Fd();
  addr.sun_family = AF_UNIX;
  std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
  ::unlink(path.c_str());
  if (bind(fd.get(), reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0)
    return error = failed("bind control socket"), Fd();
  if (listen(fd.get(), 8) != 0) return error = failed("listen"), Fd();
  setNonBlocking(fd.get());
  return fd;
}

Fd openPty(std::string& path, Fd& slave, std::string& error) {
  Fd master(posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (!master) return error = failed("posix_openpt"), Fd();
  if (grantpt(master.get()) != 0 || unlockpt(master.get()) != 0) return error = failed("grantpt"), Fd();
  const char* name = ptsname(master.get());
  if (!name) return error = failed("ptsname"), Fd();
  path = name;
  slave = Fd(::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC));
  if (!slave) return error = failed("open pty"), Fd();
  termios t{};
  if (tcgetattr(slave.get(), &t) == 0) {
    cfmakeraw(&t);
    tcsetattr(slave.get(), TCSANOW, &t);
  }
  setNonBlocking(master.get());
  return master;
}

}  // namespace vprinter
