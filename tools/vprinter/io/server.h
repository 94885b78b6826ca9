// The event loop: one thread polls the TCP listener and its connections,
// the pseudo-terminal, the control socket and its clients, stdin and the
// page's HTTP connections, and runs the printer's timers; the customer
// display's listener and links too when there is one. Everything the printer
// and display cores do happens on this thread, so the cores need no locks.
#pragma once

#include <poll.h>

#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "tools/vprinter/display/display.h"
#include "tools/vprinter/io/control.h"
#include "tools/vprinter/io/fd.h"
#include "tools/vprinter/printer/printer.h"
#include "tools/vprinter/web/web_server.h"

namespace vprinter {

struct ServerOptions {
  int tcpPort = -1;  // -1: no TCP; 0: pick a free port
  bool pty = false;
  std::string controlPath;  // empty: no control socket
  int controlTcpPort = -1;  // control lines on 127.0.0.1 (for Wine programs); -1: none, 0: pick a free port
  bool controlStdin = true;
  int httpPort = -1;  // the page on 127.0.0.1; -1: none, 0: pick a free port
  int displayTcpPort = -1;  // the customer display's own port; -1: none, 0: pick a free port
  bool displayPty = false;
  WebLimits webLimits;
};

class Server {
 public:
  // `display`: the customer display the display transports feed, or null.
  Server(Printer& printer, ServerOptions options, Display* display = nullptr);
  ~Server();

  // Opens the transports; false with a message when one cannot be opened.
  bool start(std::string& error);
  int tcpPort() const { return tcpPort_; }
  const std::string& ptyPath() const { return ptyPath_; }
  int controlTcpPort() const { return controlTcpPort_; }
  int httpPort() const { return httpPort_; }
  int displayTcpPort() const { return displayTcpPort_; }
  const std::string& displayPtyPath() const { return displayPtyPath_; }

  // Runs until "quit" or stop(); stop() may be called from a signal handler.
  void run();
  void stop();
  // One poll round, waiting at most timeoutMs (for tests).
  void step(int timeoutMs);
  bool running() const { return running_.load(); }

 private:
  struct Link {
    Fd fd;
    std::unique_ptr<Session> session;
    bool pty = false;
  };
  struct DisplayLink {
    Fd fd;
    std::unique_ptr<DisplaySession> session;
    bool pty = false;
  };
  struct ControlClient {
    Fd fd;
    std::string in, out;
    bool closing = false;
  };

  // Where each group of one round's poll set starts.
  struct Groups {
    std::size_t links, clients, displays, web;
  };
  void serve(std::vector<pollfd>& fds, const Groups& g);
  bool startDisplay(std::string& error);
  void acceptTcp();
  void acceptDisplay();
  void serveDisplays(const std::vector<pollfd>& fds, const Groups& g);
  void acceptControl(const Fd& listener);
  bool readLink(Link& l);   // false: the link has ended
  bool writeLink(Link& l);  // false: the link has ended
  bool readControl(ControlClient& c);
  void readStdin();
  void closeLink(std::size_t i);
  int dropTcp();
  std::string linksJson() const;
  int timeoutFor(int limitMs) const;

  Printer& printer_;
  ServerOptions options_;
  Display* display_;
  Control control_;
  Fd tcp_, unix_, controlTcp_, ptySlave_, wake_[2];
  Fd displayTcp_, displayPtySlave_;
  int tcpPort_ = -1, controlTcpPort_ = -1, httpPort_ = -1, displayTcpPort_ = -1;
  std::string displayPtyPath_;
  std::vector<DisplayLink> displayLinks_;
  std::unique_ptr<WebServer> web_;
  std::string ptyPath_;
  std::vector<Link> links_;
  std::vector<ControlClient> clients_;
  std::string stdinBuf_;
  bool stdinOpen_ = false;
  int nextId_ = 1;
  std::atomic<bool> running_{true};
};

}  // namespace vprinter
