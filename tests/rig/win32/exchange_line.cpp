// One control line over loopback TCP with Winsock.
#include <winsock2.h>

#include "tests/rig/rig_printer.h"

namespace rig {
namespace {

struct Winsock {
  bool ok = false;
  Winsock() {
    WSADATA data;
    ok = WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }
  ~Winsock() {
    if (ok) WSACleanup();
  }
};

struct Socket {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  ~Socket() {
    if (s != INVALID_SOCKET) closesocket(s);
  }
};

}  // namespace

std::string ExchangeLine(int port, const std::string& line, int timeoutMs) {
  static Winsock winsock;
  const std::string kNoAnswer = "error no answer";
  if (!winsock.ok) return kNoAnswer;
  Socket sock;
  if (sock.s == INVALID_SOCKET) return kNoAnswer;
  const DWORD limit = DWORD(timeoutMs);
  setsockopt(sock.s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&limit), sizeof limit);
  sockaddr_in to = {};
  to.sin_family = AF_INET;
  to.sin_port = htons(u_short(port));
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(sock.s, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) return kNoAnswer;
  const std::string request = line + "\n";
  if (send(sock.s, request.data(), int(request.size()), 0) != int(request.size())) return kNoAnswer;
  std::string reply;
  while (reply.find('\n') == std::string::npos) {
    char buffer[4096];
    const int n = recv(sock.s, buffer, sizeof buffer, 0);
    if (n <= 0) return kNoAnswer;
    reply.append(buffer, std::size_t(n));
  }
  reply.erase(reply.find('\n'));
  if (!reply.empty() && reply.back() == '\r') reply.pop_back();
  return reply;
}

}  // namespace rig
