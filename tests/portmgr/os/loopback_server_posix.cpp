#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>

#include "loopback_server.h"

namespace portmgr_test {

namespace {
void CloseSocket(long long* s) {
  if (*s >= 0) close(int(*s));
  *s = -1;
}
}  // namespace

CLoopbackServer::CLoopbackServer() : listener_(-1), client_(-1) {
  const int s = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t size = sizeof a;
  if (s < 0 || bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(s, 4) != 0 ||
      getsockname(s, reinterpret_cast<sockaddr*>(&a), &size) != 0) {
    if (s >= 0) close(s);
    return;
  }
  listener_ = s;
  port_ = ntohs(a.sin_port);
}

CLoopbackServer::~CLoopbackServer() {
  CloseSocket(&client_);
  CloseSocket(&listener_);
}

bool CLoopbackServer::Listening() const { return listener_ >= 0; }

bool CLoopbackServer::Accept(int timeoutMs) {
  if (listener_ < 0) return false;
  pollfd p{int(listener_), POLLIN, 0};
  if (poll(&p, 1, timeoutMs) != 1) return false;
  const int c = accept(int(listener_), nullptr, nullptr);
  if (c < 0) return false;
  CloseSocket(&client_);
  client_ = c;
  return true;
}

bool CLoopbackServer::Send(const std::string& bytes) {
  return client_ >= 0 && send(int(client_), bytes.data(), bytes.size(), MSG_NOSIGNAL) == ssize_t(bytes.size());
}

std::string CLoopbackServer::Receive(size_t n, int timeoutMs) {
  std::string got;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (client_ >= 0 && got.size() < n) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
    if (left.count() <= 0) break;
    pollfd p{int(client_), POLLIN, 0};
    if (poll(&p, 1, int(left.count())) != 1) break;
    char buf[4096];
    const ssize_t r = recv(int(client_), buf, sizeof buf, 0);
    if (r <= 0) break;
    got.append(buf, size_t(r));
  }
  return got;
}

void CLoopbackServer::DropClient() { CloseSocket(&client_); }

void CLoopbackServer::StopListening() { CloseSocket(&listener_); }

}  // namespace portmgr_test
