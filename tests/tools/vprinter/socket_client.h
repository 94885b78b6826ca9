// Socket clients for the tests that talk to a running server: connect over
// loopback TCP or a unix socket, read with a two-second limit.
#pragma once

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <string>

namespace vprinter::test {

// -1 when the connection is refused.
inline int connectTcp(int port) {
  int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(std::uint16_t(port));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

inline int connectUnix(const std::string& path) {
  int fd = socket(AF_UNIX, SOCK_STREAM, 0);
  sockaddr_un a{};
  a.sun_family = AF_UNIX;
  std::snprintf(a.sun_path, sizeof a.sun_path, "%s", path.c_str());
  if (connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    close(fd);
    return -1;
  }
  return fd;
}

// Reads exactly n bytes within two seconds ("" on time-out or end).
inline std::string readN(int fd, std::size_t n) {
  std::string out;
  while (out.size() < n) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 2000) <= 0) return out;
    char buf[256];
    ssize_t r = read(fd, buf, std::min(sizeof buf, n - out.size()));
    if (r <= 0) return out;
    out.append(buf, std::size_t(r));
  }
  return out;
}

// One line without its newline; what came before a time-out otherwise.
inline std::string readLine(int fd) {
  std::string out;
  while (out.empty() || out.back() != '\n') {
    std::string c = readN(fd, 1);
    if (c.empty()) return out;
    out += c;
  }
  out.pop_back();
  return out;
}

inline void sendAll(int fd, const std::string& s) { ASSERT_EQ(write(fd, s.data(), s.size()), ssize_t(s.size())); }

}  // namespace vprinter::test
