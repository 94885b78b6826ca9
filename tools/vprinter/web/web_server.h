// The printer's page on 127.0.0.1: the paper as it prints, the cut
// receipts, the printer's state and buttons, and each receipt's commands.
// It runs inside the server's event loop (no threads, so the printer core
// needs no locks) and never blocks it: sockets are non-blocking, each
// connection carries one request of bounded size, the number of
// connections is capped, and an event stream whose reader falls behind is
// closed rather than buffered without end.
#pragma once

#include <poll.h>

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

#include "tools/vprinter/display/display.h"
#include "tools/vprinter/io/control.h"
#include "tools/vprinter/io/fd.h"
#include "tools/vprinter/printer/printer.h"
#include "tools/vprinter/web/http.h"
#include "tools/vprinter/web/receipt_book.h"

namespace vprinter {

struct WebLimits {
  std::size_t maxConnections = 32;
  std::size_t maxStreamBacklog = 1u << 20;  // unsent event bytes before a stream is dropped
  int requestTimeoutMs = 10000;             // a request must arrive whole within this
  int publishEveryMs = 100;                 // state and paper events at most this often
  HttpLimits http;
};

class WebServer {
 public:
  WebServer(Printer& printer, Control& control, std::string outDir, WebLimits limits = {});
  ~WebServer();
  WebServer(const WebServer&) = delete;
  WebServer& operator=(const WebServer&) = delete;

  // The customer display the page shows beside the paper (null: none).
  void setDisplay(const Display* display) { display_ = display; }
  // Listens on 127.0.0.1:port (0 picks one; port gets the bound one).
  bool start(int& port, std::string& error);

  // The event loop: add the sockets to its poll set, hand back their
  // results (same order, same count) and call update() every round.
  void addFds(std::vector<pollfd>& fds) const;
  void handle(const pollfd* fds, std::size_t count, Clock::time_point now);
  void update(Clock::time_point now);
  // How long the loop may sleep before update() has events to send.
  int timeoutMs(Clock::time_point now, int limitMs) const;

  std::size_t connections() const { return conns_.size(); }

 private:
  struct Conn {
    Fd fd;
    std::string in, out;
    Clock::time_point since;
    bool answered = false;  // the reply is queued; close once sent
    bool stream = false;    // an event stream, open until the reader leaves
    bool shut = false;      // our side is done writing
    bool dead = false;
  };

  void accept(Clock::time_point now);
  void read(Conn& c);
  void write(Conn& c);
  void answer(Conn& c, const HttpRequest& req);
  std::string route(const HttpRequest& req, bool& stream);
  std::string control(const HttpRequest& req);
  std::string receiptFile(int number, bool png);
  std::string paperPng();
  std::string stateJson();
  std::string receiptsJson() const;
  std::string paperJson() const;
  void broadcast(const char* event, const std::string& data);
  void publish(bool force, Clock::time_point now);

  using PaperVersion = std::tuple<std::uint64_t, int, std::size_t, int>;
  PaperVersion paperVersion();

  Printer& printer_;
  Control& control_;
  const Display* display_ = nullptr;
  std::string lastDisplay_;
  std::string outDir_;
  WebLimits limits_;
  Fd listener_;
  int port_ = 0;
  std::vector<Conn> conns_;
  ReceiptBook book_;
  int announced_ = 0;  // receipts already sent as events
  std::string lastState_;
  PaperVersion lastPaper_{};
  std::uint64_t paperSerial_ = 0;
  PaperVersion pngVersion_{};
  std::string png_;
  bool pngValid_ = false;
  Clock::time_point lastPublish_{};
  bool pending_ = false;
};

}  // namespace vprinter
