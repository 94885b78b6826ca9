#include <winsock2.h>
#include <ws2tcpip.h>

#include <chrono>

#include "loopback_server.h"

namespace portmgr_test {

namespace {

void CloseSocket(long long* s) {
  if (*s >= 0) closesocket(SOCKET(*s));
  *s = -1;
}

bool Readable(long long s, int ms) {
  fd_set set;
  FD_ZERO(&set);
  FD_SET(SOCKET(s), &set);
  timeval tv{ms / 1000, (ms % 1000) * 1000};
  return select(0, &set, nullptr, nullptr, &tv) == 1;
}

}  // namespace

CLoopbackServer::CLoopbackServer() : listener_(-1), client_(-1) {
  WSADATA data;
  if (WSAStartup(MAKEWORD(2, 2), &data) != 0) return;
  const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  int size = sizeof a;
  if (s == INVALID_SOCKET || bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || listen(s, 4) != 0 ||
      getsockname(s, reinterpret_cast<sockaddr*>(&a), &size) != 0) {
    if (s != INVALID_SOCKET) closesocket(s);
    return;
  }
  listener_ = (long long)s;
  port_ = ntohs(a.sin_port);
}

CLoopbackServer::~CLoopbackServer() {
  CloseSocket(&client_);
  CloseSocket(&listener_);
  WSACleanup();
}

bool CLoopbackServer::Listening() const { return listener_ >= 0; }

bool CLoopbackServer::Accept(int timeoutMs) {
  if (listener_ < 0 || !Readable(listener_, timeoutMs)) return false;
  const SOCKET c = accept(SOCKET(listener_), nullptr, nullptr);
  if (c == INVALID_SOCKET) return false;
  CloseSocket(&client_);
  client_ = (long long)c;
  return true;
}

bool CLoopbackServer::Send(const std::string& bytes) {
  return client_ >= 0 && send(SOCKET(client_), bytes.data(), int(bytes.size()), 0) == int(bytes.size());
}

std::string CLoopbackServer::Receive(size_t n, int timeoutMs) {
  std::string got;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (client_ >= 0 && got.size() < n) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
    if (left.count() <= 0 || !Readable(client_, int(left.count()))) break;
    char buf[4096];
    const int r = recv(SOCKET(client_), buf, sizeof buf, 0);
    if (r <= 0) break;
    got.append(buf, size_t(r));
  }
  return got;
}

void CLoopbackServer::DropClient() { CloseSocket(&client_); }

void CLoopbackServer::StopListening() { CloseSocket(&listener_); }

}  // namespace portmgr_test
