// Control lines over loopback TCP (what Windows programs under Wine use):
// the same protocol and printer as the unix socket, several clients.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <thread>

#include "tests/tools/vprinter/rig.h"
#include "tools/vprinter/io/server.h"

namespace vprinter::test {
namespace {

int connectLoopback(int port) {
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

// Sends a line and reads one reply line (empty after two quiet seconds).
std::string ask(int fd, const std::string& line) {
  std::string request = line + "\n";
  if (write(fd, request.data(), request.size()) != ssize_t(request.size())) return "";
  std::string out;
  char c = 0;
  for (;;) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 2000) <= 0 || read(fd, &c, 1) != 1 || c == '\n') break;
    out += c;
  }
  return out;
}

class ControlTcp : public ::testing::Test {
 protected:
  void start(ServerOptions o) {
    o.controlStdin = false;
    server = std::make_unique<Server>(printer, o);
    std::string error;
    ASSERT_TRUE(server->start(error)) << error;
    loop = std::thread([this] { server->run(); });
  }
  void TearDown() override {
    if (server) server->stop();
    if (loop.joinable()) loop.join();
  }

  PrinterOptions opts{scratchDir(), 576};
  Printer printer{opts};
  std::unique_ptr<Server> server;
  std::thread loop;
};

TEST_F(ControlTcp, PicksAFreePortAndAnswersEachClient) {
  ServerOptions o;
  o.tcpPort = 0;
  o.controlTcpPort = 0;
  start(o);
  ASSERT_GT(server->controlTcpPort(), 0);
  EXPECT_NE(server->controlTcpPort(), server->tcpPort());
  int a = connectLoopback(server->controlTcpPort());
  int b = connectLoopback(server->controlTcpPort());
  ASSERT_GE(a, 0);
  ASSERT_GE(b, 0);
  EXPECT_EQ(ask(a, "cover open"), "ok cover open");
  EXPECT_NE(ask(b, "state").find("\"cover\":\"open\""), std::string::npos);
  EXPECT_EQ(ask(b, "bogus"), "error unknown command: bogus");
  close(a);
  EXPECT_EQ(ask(b, "cover close"), "ok cover close");  // a closed client leaves the others alone
  close(b);
  int c = connectLoopback(server->controlTcpPort());
  ASSERT_GE(c, 0);
  EXPECT_NE(ask(c, "state").find("\"cover\":\"closed\""), std::string::npos);
  close(c);
}

TEST_F(ControlTcp, IsOffUnlessAsked) {
  ServerOptions o;
  o.tcpPort = 0;
  start(o);
  EXPECT_EQ(server->controlTcpPort(), -1);
}

TEST_F(ControlTcp, APortInUseFailsTheStart) {
  ServerOptions first;
  first.controlTcpPort = 0;
  first.controlStdin = false;
  Server holder(printer, first);
  std::string error;
  ASSERT_TRUE(holder.start(error)) << error;
  ServerOptions o;
  o.controlTcpPort = holder.controlTcpPort();
  o.controlStdin = false;
  Server second(printer, o);
  EXPECT_FALSE(second.start(error));
  EXPECT_FALSE(error.empty());
}

}  // namespace
}  // namespace vprinter::test
