// One control line over loopback TCP with POSIX sockets.
#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include "tests/rig/rig_printer.h"

namespace rig {
namespace {

struct Socket {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  ~Socket() {
    if (fd >= 0) close(fd);
  }
};

}  // namespace

std::string ExchangeLine(int port, const std::string& line, int timeoutMs) {
  const std::string kNoAnswer = "error no answer";
  Socket s;
  if (s.fd < 0) return kNoAnswer;
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(uint16_t(port));
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(s.fd, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) return kNoAnswer;
  const std::string request = line + "\n";
  if (send(s.fd, request.data(), request.size(), MSG_NOSIGNAL) != ssize_t(request.size())) return kNoAnswer;
  std::string reply;
  while (reply.find('\n') == std::string::npos) {
    pollfd p{s.fd, POLLIN, 0};
    if (poll(&p, 1, timeoutMs) <= 0) return kNoAnswer;
    char buffer[4096];
    const ssize_t n = recv(s.fd, buffer, sizeof buffer, 0);
    if (n <= 0) return kNoAnswer;
    reply.append(buffer, std::size_t(n));
  }
  reply.erase(reply.find('\n'));
  if (!reply.empty() && reply.back() == '\r') reply.pop_back();
  return reply;
}

}  // namespace rig
