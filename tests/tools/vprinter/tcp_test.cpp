// End to end: the event loop with a TCP host and a control socket client.
#include <gtest/gtest.h>
#include <unistd.h>

#include <thread>

#include "tests/tools/vprinter/server_rig.h"

namespace vprinter::test {
namespace {

class EndToEnd : public ServerRig {
 protected:
  void SetUp() override {
    ServerOptions o;
    o.tcpPort = 0;
    o.controlPath = controlPath();
    ASSERT_NO_FATAL_FAILURE(start(o, &Server::tcpPort));
  }
};

TEST_F(EndToEnd, HandshakeStatusPrintAndCut) {
  sendAll(host, hex("1B3D01 1B63330F 1B633400 0000 1B40 1D610F000000"));
  EXPECT_EQ(readN(host, 4), hex("14000000"));
  sendAll(host, hex("1B3D01 1B6101") + "Thank you\n" + hex("100403"));
  EXPECT_EQ(readN(host, 1), hex("12"));
  EXPECT_EQ(command("text"), "ok \"Thank you\\n\"");
  sendAll(host, hex("1D5601 100401"));
  EXPECT_EQ(readN(host, 1), hex("16"));
  // Cut without a feed: the line has not reached the cutter, so it starts
  // the next receipt, which is in progress.
  EXPECT_EQ(command("save"), "ok " + opts.outDir + "/receipt-0002.png");
}

TEST_F(EndToEnd, ControlChangesReachTheHostAsStatusBlocks) {
  sendAll(host, hex("1D61FF 1D6AFF"));
  EXPECT_EQ(readN(host, 8), hex("14000000 35000000"));
  EXPECT_EQ(command("cover open"), "ok cover open");
  EXPECT_EQ(readN(host, 4), hex("3C000000"));
  EXPECT_EQ(command("ink 1 empty"), "ok ink 1 empty");
  EXPECT_EQ(readN(host, 4), hex("35020000"));
  sendAll(host, hex("1B7000 6464"));  // cover open: the kick waits
  EXPECT_EQ(command("cover close"), "ok cover close");
  EXPECT_EQ(readN(host, 4), hex("10000000"));  // on line, and the held kick opened the drawer
}

TEST_F(EndToEnd, DropClosesTheConnectionAndANewOneWorks) {
  sendAll(host, "x");
  EXPECT_EQ(command("state").find("\"connections\":1") != std::string::npos, true);
  EXPECT_EQ(command("drop"), "ok dropped 1");
  EXPECT_EQ(readN(host, 1), "");  // end of stream
  close(host);
  host = connectTcp(server->tcpPort());
  ASSERT_GE(host, 0);
  sendAll(host, hex("100402"));
  EXPECT_EQ(readN(host, 1), hex("12"));
}

TEST_F(EndToEnd, QuitEndsTheLoop) {
  EXPECT_EQ(command("quit"), "ok bye");
  loop.join();
  loop = std::thread([] {});
  EXPECT_FALSE(server->running());
}

}  // namespace
}  // namespace vprinter::test
