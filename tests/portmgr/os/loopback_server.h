// A one-client TCP server on 127.0.0.1 standing in for a network printer.
// Used from the test thread only.
#pragma once

#include <cstddef>
#include <string>

namespace portmgr_test {

class CLoopbackServer {
 public:
  CLoopbackServer();  // listens on a free port
  ~CLoopbackServer();
  CLoopbackServer(const CLoopbackServer&) = delete;
  CLoopbackServer& operator=(const CLoopbackServer&) = delete;

  bool Listening() const;
  int Port() const { return port_; }
  // Takes the next connection in place of the current one.
  bool Accept(int timeoutMs);
  bool Send(const std::string& bytes);
  // Gathers until n bytes came or the time is up.
  std::string Receive(size_t n, int timeoutMs);
  // Closes the client connection (the printer dropped the link).
  void DropClient();
  // Stops listening: new connections are refused.
  void StopListening();

 private:
  long long listener_;
  long long client_;
  int port_ = 0;
};

}  // namespace portmgr_test
