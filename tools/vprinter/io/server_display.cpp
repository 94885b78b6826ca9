// The customer display's transports: its own TCP port and pseudo-terminal.
// The display answers nothing, so its links are only read.
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

#include "tools/vprinter/io/server.h"

namespace vprinter {

bool Server::startDisplay(std::string& error) {
  if (!display_) return true;
  if (options_.displayTcpPort >= 0) {
    displayTcpPort_ = options_.displayTcpPort;
    displayTcp_ = listenTcp(displayTcpPort_, error);
    if (!displayTcp_) return false;
  }
  if (options_.displayPty) {
    Fd master = openPty(displayPtyPath_, displayPtySlave_, error);
    if (!master) return false;
    DisplayLink l{std::move(master), std::make_unique<DisplaySession>("pty"), true};
    display_->attach(l.session.get());
    displayLinks_.push_back(std::move(l));
  }
  return true;
}

void Server::acceptDisplay() {
  for (;;) {
    int fd = ::accept4(displayTcp_.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    DisplayLink l{Fd(fd), std::make_unique<DisplaySession>("tcp#" + std::to_string(nextId_++)), false};
    display_->attach(l.session.get());
    displayLinks_.push_back(std::move(l));
  }
}

void Server::serveDisplays(const std::vector<pollfd>& fds, const Groups& g) {
  if (!display_) return;
  if (fds[5].revents & POLLIN) acceptDisplay();
  std::size_t polled = g.web - g.displays;
  for (std::size_t i = std::min(polled, displayLinks_.size()); i-- > 0;) {
    if (!(fds[g.displays + i].revents & (POLLIN | POLLHUP | POLLERR))) continue;
    DisplayLink& l = displayLinks_[i];
    bool open = true;
    char buf[16384];
    for (int rounds = 0; rounds < 64; ++rounds) {
      ssize_t r = ::read(l.fd.get(), buf, sizeof buf);
      if (r > 0) {
        display_->receive(*l.session, reinterpret_cast<const std::uint8_t*>(buf), std::size_t(r));
        continue;
      }
      // The pty reports EIO while no one has the terminal side open.
      open = (r < 0 && (errno == EAGAIN || errno == EINTR)) || l.pty;
      break;
    }
    if (open) continue;
    display_->detach(l.session.get());
    displayLinks_.erase(displayLinks_.begin() + long(i));
  }
}

}  // namespace vprinter
