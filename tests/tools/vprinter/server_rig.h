// A virtual printer server on its event loop thread for one test: a host
// connected to one of the ports it serves and, when the options name a
// control socket, a control client. Stopped, joined and closed after the
// test (the server before anything the test class adds, which it may use).
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <thread>

#include "tests/tools/vprinter/rig.h"
#include "tests/tools/vprinter/socket_client.h"
#include "tools/vprinter/io/server.h"

namespace vprinter::test {

class ServerRig : public ::testing::Test {
 protected:
  // hostPort: the port the host connects to once the server listens
  // (nullptr: no host).
  void start(ServerOptions o, int (Server::*hostPort)() const = nullptr, Display* display = nullptr) {
    o.controlStdin = false;
    server = std::make_unique<Server>(printer, o, display);
    std::string error;
    ASSERT_TRUE(server->start(error)) << error;
    loop = std::thread([this] { server->run(); });
    if (hostPort != nullptr) {
      host = connectTcp(((*server).*hostPort)());
      ASSERT_GE(host, 0);
    }
    if (!o.controlPath.empty()) {
      ctl = connectUnix(o.controlPath);
      ASSERT_GE(ctl, 0);
    }
  }
  void TearDown() override {
    if (server) server->stop();
    if (loop.joinable()) loop.join();
    server.reset();
    if (host >= 0) close(host);
    if (ctl >= 0) close(ctl);
  }
  std::string controlPath() const { return opts.outDir + "/control.sock"; }
  std::string command(const std::string& line) {
    sendAll(ctl, line + "\n");
    return readLine(ctl);
  }

  PrinterOptions opts{scratchDir(), 576};
  Printer printer{opts};
  std::unique_ptr<Server> server;
  std::thread loop;
  int host = -1, ctl = -1;
};

}  // namespace vprinter::test
