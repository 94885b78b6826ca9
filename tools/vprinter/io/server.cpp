#include "tools/vprinter/io/server.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>

#include "tools/vprinter/decode/json.h"

namespace vprinter {
namespace {

// A host that reads no status must not make the outbox grow for ever.
constexpr std::size_t kMaxOutbox = 256u << 10;
constexpr std::size_t kMaxControlLine = 4096;

}  // namespace

Server::Server(Printer& printer, ServerOptions options, Display* display)
    : printer_(printer),
      options_(std::move(options)),
      display_(display),
      control_(printer, ControlHooks{[this] { return dropTcp(); }, [this] { stop(); },
                                     [this] { return linksJson(); },
                                     [this] { return display_ ? display_->json() : std::string(); }}) {}

Server::~Server() {
  for (Link& l : links_) printer_.detach(l.session.get());
  for (DisplayLink& l : displayLinks_) display_->detach(l.session.get());
}

bool Server::start(std::string& error) {
  int pipefd[2];
  if (pipe2(pipefd, O_CLOEXEC | O_NONBLOCK) != 0) return error = "pipe failed", false;
  wake_[0].reset(pipefd[0]);
  wake_[1].reset(pipefd[1]);
  if (options_.tcpPort >= 0) {
    tcpPort_ = options_.tcpPort;
    tcp_ = listenTcp(tcpPort_, error);
    if (!tcp_) return false;
  }
  if (options_.pty) {
    Fd master = openPty(ptyPath_, ptySlave_, error);
    if (!master) return false;
    Link l{std::move(master), std::make_unique<Session>("pty"), true};
    printer_.attach(l.session.get());
    links_.push_back(std::move(l));
  }
  if (!options_.controlPath.empty()) {
    unix_ = listenUnix(options_.controlPath, error);
    if (!unix_) return false;
  }
  if (options_.controlTcpPort >= 0) {
    controlTcpPort_ = options_.controlTcpPort;
    controlTcp_ = listenTcp(controlTcpPort_, error);
    if (!controlTcp_) return false;
  }
  if (!startDisplay(error)) return false;
  if (options_.httpPort >= 0) {
    httpPort_ = options_.httpPort;
    web_ = std::make_unique<WebServer>(printer_, control_, printer_.receipts().outDir(), options_.webLimits);
    web_->setDisplay(display_);
    if (!web_->start(httpPort_, error)) return false;
  }
  stdinOpen_ = options_.controlStdin;
  if (stdinOpen_) setNonBlocking(0);
  return true;
}

void Server::stop() {
  running_ = false;
  if (wake_[1]) {
    char b = 1;
    ssize_t ignored = ::write(wake_[1].get(), &b, 1);
    (void)ignored;
  }
}

void Server::run() {
  while (running_) step(1000);
  for (ControlClient& c : clients_)
    if (!c.out.empty()) {
      ssize_t ignored = ::write(c.fd.get(), c.out.data(), c.out.size());
      (void)ignored;
    }
}

int Server::timeoutFor(int limitMs) const {
  Clock::time_point when;
  if (!printer_.device().drawerDeadline(when)) return limitMs;
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(when - Clock::now()).count();
  return int(std::clamp<long long>(ms + 1, 0, limitMs));
}

void Server::step(int timeoutMs) {
  std::vector<pollfd> fds;
  auto add = [&](int fd, short events) { fds.push_back(pollfd{fd, events, 0}); };
  add(wake_[0].get(), POLLIN);
  add(tcp_ ? tcp_.get() : -1, POLLIN);
  add(unix_ ? unix_.get() : -1, POLLIN);
  add(stdinOpen_ ? 0 : -1, POLLIN);
  add(controlTcp_ ? controlTcp_.get() : -1, POLLIN);
  add(displayTcp_ ? displayTcp_.get() : -1, POLLIN);
  Groups g{};
  g.links = fds.size();
  for (const Link& l : links_)
    add(l.fd.get(), short((printer_.accepting() ? POLLIN : 0) | (l.session->outbox.empty() ? 0 : POLLOUT)));
  g.clients = fds.size();
  for (const ControlClient& c : clients_) add(c.fd.get(), short(POLLIN | (c.out.empty() ? 0 : POLLOUT)));
  g.displays = fds.size();
  for (const DisplayLink& l : displayLinks_) add(l.fd.get(), POLLIN);
  g.web = fds.size();
  if (web_) web_->addFds(fds);

  int timeout = timeoutFor(timeoutMs);
  if (web_) timeout = web_->timeoutMs(Clock::now(), timeout);
  int n = ::poll(fds.data(), fds.size(), timeout);
  printer_.tick(Clock::now());
  if (n > 0) serve(fds, g);
  if (web_) {  // also on a quiet round: its time-outs run here
    web_->handle(fds.data() + g.web, fds.size() - g.web, Clock::now());
    web_->update(Clock::now());
  }
}

void Server::serve(std::vector<pollfd>& fds, const Groups& g) {
  std::size_t linkBase = g.links, clientBase = g.clients;
  if (fds[0].revents) {
    char buf[64];
    while (::read(wake_[0].get(), buf, sizeof buf) > 0) {
    }
  }
  if (fds[1].revents & POLLIN) acceptTcp();
  if (fds[2].revents & POLLIN) acceptControl(unix_);
  if (fds[3].revents) readStdin();
  if (fds[4].revents & POLLIN) acceptControl(controlTcp_);
  serveDisplays(fds, g);

  std::vector<bool> dead(links_.size(), false);
  for (std::size_t i = 0; i < links_.size() && linkBase + i < clientBase; ++i) {
    short ev = fds[linkBase + i].revents;
    if ((ev & (POLLIN | POLLHUP | POLLERR)) && !readLink(links_[i])) dead[i] = true;
  }
  for (std::size_t i = links_.size(); i-- > 0;)
    if (i < dead.size() && dead[i]) closeLink(i);
  for (Link& l : links_) writeLink(l);

  std::size_t clients = g.displays - clientBase;
  for (std::size_t i = 0; i < clients && i < clients_.size(); ++i) {
    short ev = fds[clientBase + i].revents;
    if (ev & (POLLIN | POLLHUP | POLLERR)) clients_[i].closing |= !readControl(clients_[i]);
  }
  for (ControlClient& c : clients_) {
    if (c.out.empty()) continue;
    ssize_t w = ::send(c.fd.get(), c.out.data(), c.out.size(), MSG_NOSIGNAL);
    if (w > 0) c.out.erase(0, std::size_t(w));
    else if (w < 0 && errno != EAGAIN) c.closing = true, c.out.clear();
  }
  clients_.erase(std::remove_if(clients_.begin(), clients_.end(),
                                [](const ControlClient& c) { return c.closing && c.out.empty(); }),
                 clients_.end());
}

void Server::acceptTcp() {
  for (;;) {
    int fd = ::accept4(tcp_.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    Link l{Fd(fd), std::make_unique<Session>("tcp#" + std::to_string(nextId_++)), false};
    printer_.attach(l.session.get());
    links_.push_back(std::move(l));
  }
}

// Control clients of the unix socket and of the loopback TCP port are alike.
void Server::acceptControl(const Fd& listener) {
  for (;;) {
    int fd = ::accept4(listener.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    clients_.push_back(ControlClient{Fd(fd), "", "", false});
  }
}

bool Server::readLink(Link& l) {
  char buf[16384];
  for (int rounds = 0; rounds < 64 && printer_.accepting(); ++rounds) {
    ssize_t r = ::read(l.fd.get(), buf, sizeof buf);
    if (r > 0) {
      printer_.receive(*l.session, reinterpret_cast<const std::uint8_t*>(buf), std::size_t(r));
      continue;
    }
    if (r < 0 && (errno == EAGAIN || errno == EINTR)) return true;
    // The pty reports EIO while no one has the terminal side open.
    return l.pty;
  }
  return true;
}

bool Server::writeLink(Link& l) {
  std::string& out = l.session->outbox;
  if (out.size() > kMaxOutbox) out.erase(0, out.size() - kMaxOutbox);
  while (!out.empty()) {
    ssize_t w = l.pty ? ::write(l.fd.get(), out.data(), out.size())
                      : ::send(l.fd.get(), out.data(), out.size(), MSG_NOSIGNAL);
    if (w > 0) {
      out.erase(0, std::size_t(w));
      continue;
    }
    if (w < 0 && l.pty) out.clear();  // nobody reads the terminal: the status is stale anyway
    return w < 0 && errno == EAGAIN;
  }
  return true;
}

void Server::closeLink(std::size_t i) {
  printer_.detach(links_[i].session.get());
  links_.erase(links_.begin() + long(i));
}

int Server::dropTcp() {
  int dropped = 0;
  for (std::size_t i = links_.size(); i-- > 0;)
    if (!links_[i].pty) {
      closeLink(i);
      ++dropped;
    }
  return dropped;
}

bool Server::readControl(ControlClient& c) {
  char buf[4096];
  ssize_t r = ::read(c.fd.get(), buf, sizeof buf);
  if (r < 0 && (errno == EAGAIN || errno == EINTR)) return true;
  if (r <= 0) return false;
  c.in.append(buf, std::size_t(r));
  std::size_t nl;
  while ((nl = c.in.find('\n')) != std::string::npos) {
    std::string line = c.in.substr(0, nl);
    c.in.erase(0, nl + 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    c.out += control_.execute(line) + "\n";
  }
  if (c.in.size() > kMaxControlLine) {
    c.in.clear();
    c.out += "error line too long\n";
  }
  return true;
}

void Server::readStdin() {
  char buf[4096];
  ssize_t r = ::read(0, buf, sizeof buf);
  if (r < 0 && (errno == EAGAIN || errno == EINTR)) return;
  if (r <= 0) {
    stdinOpen_ = false;  // end of input: keep running on the other links
    return;
  }
  stdinBuf_.append(buf, std::size_t(r));
  std::size_t nl;
  while ((nl = stdinBuf_.find('\n')) != std::string::npos) {
    std::string line = stdinBuf_.substr(0, nl);
    stdinBuf_.erase(0, nl + 1);
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty()) continue;
    std::string reply = control_.execute(line) + "\n";
    std::fwrite(reply.data(), 1, reply.size(), stdout);
    std::fflush(stdout);
  }
  if (stdinBuf_.size() > kMaxControlLine) stdinBuf_.clear();
}

std::string Server::linksJson() const {
  std::string s = "{\"tcp_port\":" + std::to_string(tcpPort_) + ",\"pty\":" + jsonQuote(ptyPath_) + ",\"hosts\":[";
  for (std::size_t i = 0; i < links_.size(); ++i)
    s += (i ? "," : "") + jsonQuote(links_[i].session->name);
  return s + "]}";
}

}  // namespace vprinter
