// The pseudo-terminal transport: a host opens the printed path like a COM port.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <thread>

#include "tests/tools/vprinter/rig.h"
#include "tests/tools/vprinter/socket_client.h"
#include "tools/vprinter/io/server.h"

namespace vprinter::test {
namespace {

TEST(PtyTransport, HostTalksThroughTheTerminalInRawMode) {
  PrinterOptions opts{scratchDir(), 576};
  Printer printer(opts);
  ServerOptions o;
  o.pty = true;
  o.controlStdin = false;
  Server server(printer, o);
  std::string error;
  ASSERT_TRUE(server.start(error)) << error;
  ASSERT_EQ(server.ptyPath().rfind("/dev/pts/", 0), 0u);
  int fd = open(server.ptyPath().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(fd, 0);
  std::thread loop([&] { server.run(); });
  // Bytes that a cooked terminal would change: CR, NL, and the status reply.
  std::string out = hex("1D610F") + "a\r\nb\n" + hex("100404 0D 0A");
  ASSERT_EQ(write(fd, out.data(), out.size()), ssize_t(out.size()));
  EXPECT_EQ(readN(fd, 5), hex("14000000 12"));
  server.stop();
  loop.join();
  EXPECT_EQ(printer.receipts().text(), "a\nb\n\n");
  close(fd);
}

}  // namespace
}  // namespace vprinter::test
