// End to end: the event loop with the display's own TCP port, a control
// socket client and the page. Waits end on their condition, bounded
// generously for a loaded machine under the sanitizers.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <png.h>
#include <poll.h>
#include <unistd.h>

#include <chrono>
#include <thread>

#include "tests/tools/vprinter/display/display_rig.h"
#include "tests/tools/vprinter/server_rig.h"

namespace vprinter::test {
namespace {

using std::chrono::steady_clock;
constexpr auto kBound = std::chrono::seconds(30);

bool has(const std::string& s, const std::string& what) { return s.find(what) != std::string::npos; }

class DisplayServer : public ServerRig {
 protected:
  void SetUp() override {
    ServerOptions o;
    o.displayTcpPort = 0;
    o.httpPort = 0;
    o.controlPath = controlPath();
    ASSERT_NO_FATAL_FAILURE(start(o, &Server::displayTcpPort, &display));
    EXPECT_EQ(server->tcpPort(), -1);  // no printer port was asked for
  }
  // Asks `display` until its reply holds `what`.
  std::string waitDisplay(const std::string& what) {
    std::string reply;
    for (auto end = steady_clock::now() + kBound; steady_clock::now() < end;) {
      reply = command("display");
      if (has(reply, what)) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return reply;
  }
  // One HTTP exchange; the server closes after its reply (the event stream
  // is read until `enough` is in it).
  std::string get(const std::string& path, const std::string& enough = "") {
    int fd = connectTcp(server->httpPort());
    if (fd < 0) return "";
    std::string request = "GET " + path + " HTTP/1.1\r\nHost: 127.0.0.1:" + std::to_string(server->httpPort()) +
                          "\r\n\r\n", reply;
    sendAll(fd, request);
    for (auto end = steady_clock::now() + kBound; steady_clock::now() < end;) {
      if (!enough.empty() && has(reply, enough)) break;
      pollfd p{fd, POLLIN, 0};
      if (poll(&p, 1, 200) <= 0) continue;
      char buf[8192];
      ssize_t r = read(fd, buf, sizeof buf);
      if (r <= 0) break;
      reply.append(buf, std::size_t(r));
    }
    close(fd);
    return reply;
  }

  Display display{*findDisplayModel("QDX-200")};
};

TEST_F(DisplayServer, BytesOnTheDisplayPortShowInTheControlReply) {
  sendAll(host, hex("1B40 0C") + "Espresso        2.40" + hex("1F240102 1F7201") + "TOTAL" + hex("1F7200 1F5802"));
  std::string reply = waitDisplay("TOTAL");
  EXPECT_TRUE(has(reply, "\"rows\":[\"Espresso        2.40\",\"TOTAL               \"]")) << reply;
  EXPECT_TRUE(has(reply, "\"attrs\":[\"....................\",\"rrrrr...............\"]")) << reply;
  EXPECT_TRUE(has(reply, "\"cursor\":[1,5]")) << reply;
  EXPECT_TRUE(has(reply, "\"brightness\":40")) << reply;
  EXPECT_TRUE(has(reply, "\"connections\":1")) << reply;
  // The printer saw none of it.
  EXPECT_EQ(printer.bytesReceived(), 0u);
}

TEST_F(DisplayServer, ASecondHostAndAClosedOneKeepTheScreen) {
  sendAll(host, "first" + hex("1F24"));  // cut off: logged when the host leaves
  waitDisplay("first");
  close(host);
  host = connectTcp(server->displayTcpPort());
  ASSERT_GE(host, 0);
  sendAll(host, hex("1F240102") + "second");
  std::string reply = waitDisplay("second");
  EXPECT_TRUE(has(reply, "\"rows\":[\"first               \",\"second              \"]")) << reply;
  EXPECT_TRUE(has(waitDisplay("\"connections\":1"), "\"connections\":1"));
}

TEST_F(DisplayServer, ThePageGetsTheDisplayAndItsPicture) {
  sendAll(host, "Hello");
  waitDisplay("Hello");
  std::string api = get("/api/display");
  EXPECT_TRUE(has(api, "200 OK")) << api;
  EXPECT_TRUE(has(api, "\"rows\":[\"Hello               \"")) << api;
  std::string events = get("/events", "event: display");
  EXPECT_TRUE(has(events, "event: display\ndata: {\"model\":\"QDX-200\"")) << events;
  std::string png = get("/display.png");
  ASSERT_TRUE(has(png, "200 OK")) << png.substr(0, 200);
  EXPECT_TRUE(has(png, "Content-Type: image/png"));
  std::string body = png.substr(png.find("\r\n\r\n") + 4);
  ASSERT_GE(body.size(), 8u);
  EXPECT_EQ(png_sig_cmp(reinterpret_cast<png_const_bytep>(body.data()), 0, 8), 0);
  EXPECT_TRUE(has(get("/"), "id=\"display-panel\""));
}

// A host on the display's own terminal, as through a COM port under Wine;
// bytes a cooked terminal would change (CR, LF) reach the screen as sent.
TEST(DisplayServerAlone, AHostOnTheDisplaysTerminalWritesTheScreen) {
  PrinterOptions opts{scratchDir(), 576};
  Printer printer(opts);
  Display display(*findDisplayModel("QDX-420"));
  ServerOptions o;
  o.pty = true;  // the printer's own terminal is another one
  o.displayPty = true;
  o.controlPath = opts.outDir + "/control.sock";
  o.controlStdin = false;
  Server server(printer, o, &display);
  std::string error;
  ASSERT_TRUE(server.start(error)) << error;
  ASSERT_EQ(server.displayPtyPath().rfind("/dev/pts/", 0), 0u);
  EXPECT_NE(server.displayPtyPath(), server.ptyPath());
  int fd = open(server.displayPtyPath().c_str(), O_RDWR | O_NOCTTY);
  ASSERT_GE(fd, 0);
  std::thread loop([&] { server.run(); });
  std::string out = "one\r\ntwo" + hex("1F240104") + "four";
  ASSERT_EQ(write(fd, out.data(), out.size()), ssize_t(out.size()));
  int ctl = connectUnix(o.controlPath);
  ASSERT_GE(ctl, 0);
  std::string reply;
  for (auto end = steady_clock::now() + kBound; steady_clock::now() < end && !has(reply, "four");) {
    sendAll(ctl, "display\n");
    reply = readLine(ctl);
  }
  close(ctl);
  server.stop();
  loop.join();
  close(fd);
  EXPECT_EQ(display.screen().rowText(0), "one                 ");
  EXPECT_EQ(display.screen().rowText(1), "two                 ");
  EXPECT_EQ(display.screen().rowText(3), "four                ");
  EXPECT_EQ(printer.bytesReceived(), 0u);
}

TEST(DisplayServerAlone, NoDisplayMeansNoDisplayPortNorPicture) {
  PrinterOptions opts{scratchDir(), 576};
  Printer printer{opts};
  ServerOptions o;
  o.displayTcpPort = 0;  // asked for, but there is no display to feed
  o.controlStdin = false;
  Server server(printer, o);
  std::string error;
  ASSERT_TRUE(server.start(error)) << error;
  EXPECT_EQ(server.displayTcpPort(), -1);
}

}  // namespace
}  // namespace vprinter::test
