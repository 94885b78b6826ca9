// Control lines over loopback TCP (what Windows programs under Wine use):
// the same protocol and printer as the unix socket, several clients.
#include <gtest/gtest.h>
#include <unistd.h>

#include <thread>

#include "tests/tools/vprinter/server_rig.h"

namespace vprinter::test {
namespace {

// Sends a line and reads one reply line (empty after two quiet seconds).
std::string ask(int fd, const std::string& line) {
  const std::string request = line + "\n";
  if (write(fd, request.data(), request.size()) != ssize_t(request.size())) return "";
  return readLine(fd);
}

using ControlTcp = ServerRig;

TEST_F(ControlTcp, PicksAFreePortAndAnswersEachClient) {
  ServerOptions o;
  o.tcpPort = 0;
  o.controlTcpPort = 0;
  start(o);
  ASSERT_GT(server->controlTcpPort(), 0);
  EXPECT_NE(server->controlTcpPort(), server->tcpPort());
  int a = connectTcp(server->controlTcpPort());
  int b = connectTcp(server->controlTcpPort());
  ASSERT_GE(a, 0);
  ASSERT_GE(b, 0);
  EXPECT_EQ(ask(a, "cover open"), "ok cover open");
  EXPECT_NE(ask(b, "state").find("\"cover\":\"open\""), std::string::npos);
  EXPECT_EQ(ask(b, "bogus"), "error unknown command: bogus");
  close(a);
  EXPECT_EQ(ask(b, "cover close"), "ok cover close");  // a closed client leaves the others alone
  close(b);
  int c = connectTcp(server->controlTcpPort());
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
