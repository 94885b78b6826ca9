// The printer's page end to end: the event loop with a TCP host and HTTP
// clients. Waits end on their condition, bounded generously for a loaded
// machine under the sanitizers.
#include <gtest/gtest.h>
#include <poll.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <functional>
#include <thread>
#include <vector>

#include "tests/tools/vprinter/server_rig.h"

namespace vprinter::test {
namespace {

using std::chrono::steady_clock;
constexpr auto kBound = std::chrono::seconds(30);

const std::string kReceipt = "Hello <b>page</b>\n" + hex("1b 7f 1d 56 00");  // text, an unknown command, a cut

// What arrives on fd until `done` says so, the peer closes or the bound passes.
std::string readUntil(int fd, const std::function<bool(const std::string&)>& done) {
  std::string out;
  auto end = steady_clock::now() + kBound;
  while (!done(out) && steady_clock::now() < end) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 200) <= 0) continue;
    char buf[8192];
    ssize_t r = read(fd, buf, sizeof buf);
    if (r <= 0) break;
    out.append(buf, std::size_t(r));
  }
  return out;
}

bool has(const std::string& s, const std::string& what) { return s.find(what) != std::string::npos; }

// A write that may meet a connection the server has already closed.
void sendQuiet(int fd, const std::string& s) {
  ssize_t ignored = send(fd, s.data(), s.size(), MSG_NOSIGNAL);
  (void)ignored;
}

class Web : public ServerRig {
 protected:
  void SetUp() override {
    ServerOptions o;
    o.tcpPort = 0;
    o.httpPort = 0;
    o.webLimits.maxConnections = 8;
    o.webLimits.requestTimeoutMs = 5000;
    ASSERT_NO_FATAL_FAILURE(start(o, &Server::tcpPort));
    ASSERT_GT(server->httpPort(), 0);
  }

  std::string hostHeader() const { return "Host: 127.0.0.1:" + std::to_string(server->httpPort()) + "\r\n"; }
  // One whole exchange; the server closes after its reply.
  std::string exchange(const std::string& request) {
    int fd = connectTcp(server->httpPort());
    if (fd < 0) return "";
    std::string reply;
    if (write(fd, request.data(), request.size()) == ssize_t(request.size()))
      reply = readUntil(fd, [](const std::string&) { return false; });
    close(fd);
    return reply;
  }
  std::string get(const std::string& path) { return exchange("GET " + path + " HTTP/1.1\r\n" + hostHeader() + "\r\n"); }
  std::string post(const std::string& line, bool marked = true) {
    return exchange("POST /api/control HTTP/1.1\r\n" + hostHeader() + (marked ? "X-Vprinter: 1\r\n" : "") +
                    "Content-Length: " + std::to_string(line.size()) + "\r\n\r\n" + line);
  }
  // Polls an endpoint until its reply holds `what`.
  std::string waitFor(const std::string& path, const std::string& what) {
    std::string reply;
    for (auto end = steady_clock::now() + kBound; steady_clock::now() < end;) {
      reply = get(path);
      if (has(reply, what)) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return reply;
  }
  // The real-time status byte n, through the host link.
  int realtime(int n) {
    sendAll(host, std::string("\x10\x04", 2) + char(n));
    std::string b = readN(host, 1);
    return b.empty() ? -1 : static_cast<unsigned char>(b[0]);
  }
  static std::string body(const std::string& reply) {
    std::size_t at = reply.find("\r\n\r\n");
    return at == std::string::npos ? "" : reply.substr(at + 4);
  }

};

TEST_F(Web, ServesThePageAndRefusesWhatIsNotOurs) {
  std::string page = get("/");
  EXPECT_TRUE(has(page, "HTTP/1.1 200 OK")) << page;
  EXPECT_TRUE(has(page, "Content-Security-Policy: default-src 'self'"));
  EXPECT_TRUE(has(page, "<script src=\"/app.js\">"));
  EXPECT_TRUE(has(get("/app.js"), "new EventSource('/events')"));
  EXPECT_TRUE(has(get("/app.css"), "text/css"));
  EXPECT_TRUE(has(get("/api/state"), "\"cover\":\"closed\""));

  EXPECT_TRUE(has(get("/nothing"), "404"));
  EXPECT_TRUE(has(get("/receipt-0001.png"), "404"));  // not cut yet
  EXPECT_TRUE(has(get("/receipt-../../etc/passwd.png"), "404"));
  EXPECT_TRUE(has(get("/receipt-01.png"), "404"));
  EXPECT_TRUE(has(exchange("DELETE / HTTP/1.1\r\n" + hostHeader() + "\r\n"), "405"));
  // Another name for this address (a page reaching us through DNS).
  EXPECT_TRUE(has(exchange("GET /api/state HTTP/1.1\r\nHost: evil.example:80\r\n\r\n"), "403"));
  EXPECT_TRUE(has(exchange("GET / HTTP/1.1\r\n" + hostHeader() + "X: " + std::string(9000, 'a') + "\r\n\r\n"),
                  "431"));
  EXPECT_TRUE(has(exchange("nonsense\r\n\r\n"), "400"));
}

TEST_F(Web, ButtonsActAsControlLinesAndNoOtherCommands) {
  EXPECT_TRUE(has(post("cover open", false), "403"));  // no marker header: another site's form
  EXPECT_EQ(realtime(2) & 0x04, 0);
  for (const char* line : {"quit", "drop", "save", "state"}) EXPECT_TRUE(has(post(line), "403")) << line;
  EXPECT_TRUE(has(post("cover sideways"), "400"));
  EXPECT_TRUE(has(post("cover open\nquit"), "400"));

  std::string reply = post("cover open");
  EXPECT_TRUE(has(reply, "200 OK")) << reply;
  EXPECT_EQ(body(reply), "ok cover open\n");
  EXPECT_EQ(realtime(2) & 0x04, 0x04);  // the next status reply says so
  EXPECT_TRUE(has(get("/api/state"), "\"cover\":\"open\""));
  EXPECT_TRUE(has(post("ink 2 empty"), "ok ink 2 empty"));
  EXPECT_TRUE(has(post("cover close"), "200 OK"));
  EXPECT_EQ(realtime(2) & 0x04, 0);
  EXPECT_TRUE(server->running());
}

TEST_F(Web, ACutReceiptIsListedWithItsPngAndCommands) {
  sendAll(host, kReceipt);
  std::string list = waitFor("/api/receipts", "receipt-0001.png");
  EXPECT_TRUE(has(list, R"("n":1,"name":"receipt-0001.png","jsonl":"receipt-0001.jsonl","time":"20)")) << list;

  std::string png = body(get("/receipt-0001.png"));
  EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
  std::string jsonl = get("/receipt-0001.jsonl");
  EXPECT_TRUE(has(jsonl, "Content-Disposition: attachment; filename=\"receipt-0001.jsonl\""));
  EXPECT_TRUE(has(jsonl, R"("text":"Hello <b>page</b>")")) << jsonl;
  EXPECT_TRUE(has(jsonl, R"("cmd":"unknown")"));
  EXPECT_TRUE(has(jsonl, R"("hex":"1d5600")"));
  // The next receipt's commands start empty; the one after does not exist.
  EXPECT_EQ(body(get("/receipt-0002.jsonl")), "");
  EXPECT_TRUE(has(get("/receipt-0003.jsonl"), "404"));

  sendAll(host, "half a receipt\n");
  EXPECT_TRUE(has(waitFor("/receipt-0002.jsonl", "half a receipt"), "half a receipt"));
  EXPECT_EQ(body(get("/paper.png")).substr(0, 4), "\x89PNG");
}

TEST_F(Web, TheEventStreamCarriesReceiptsAndState) {
  int es = connectTcp(server->httpPort());
  ASSERT_GE(es, 0);
  sendAll(es, "GET /events HTTP/1.1\r\n" + hostHeader() + "\r\n");
  std::string seen = readUntil(es, [](const std::string& s) { return has(s, "event: paper\n"); });
  EXPECT_TRUE(has(seen, "Content-Type: text/event-stream"));
  EXPECT_TRUE(has(seen, "event: receipts\ndata: []\n\n"));
  EXPECT_TRUE(has(seen, "event: state\ndata: {"));

  sendAll(host, kReceipt);
  seen = readUntil(es, [](const std::string& s) { return has(s, "\"name\":\"receipt-0001.png\""); });
  EXPECT_TRUE(has(seen, "event: receipt\ndata: {\"n\":1,")) << seen;

  EXPECT_TRUE(has(post("cover open"), "200 OK"));
  seen = readUntil(es, [](const std::string& s) { return has(s, "\"cover\":\"open\""); });
  EXPECT_TRUE(has(seen, "event: state\n")) << seen;
  close(es);
  // The reader left; printing and the page go on.
  EXPECT_EQ(realtime(2) & 0x04, 0x04);
  EXPECT_TRUE(has(get("/api/state"), "\"cover\":\"open\""));
}

TEST_F(Web, AFloodOrAStalledReaderNeverStallsPrinting) {
  // A stream reader that never reads, with a tiny receive window.
  int stalled = socket(AF_INET, SOCK_STREAM, 0);
  int small = 1024;
  setsockopt(stalled, SOL_SOCKET, SO_RCVBUF, &small, sizeof small);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_port = htons(std::uint16_t(server->httpPort()));
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  ASSERT_EQ(connect(stalled, reinterpret_cast<sockaddr*>(&a), sizeof a), 0);
  sendQuiet(stalled, "GET /events HTTP/1.1\r\n" + hostHeader() + "\r\n");
  // More connections than the server takes (8), the first ones sending half a request.
  std::vector<int> flood;
  for (int i = 0; i < 20; ++i) {
    int fd = connectTcp(server->httpPort());
    ASSERT_GE(fd, 0);
    flood.push_back(fd);
    if (i < 7) sendQuiet(fd, "GET / HTTP/1.1\r\nHost: 127.0.0.1");
  }
  for (int i = 0; i < 20; ++i) sendAll(host, "line " + std::to_string(i) + "\n" + hex("1d 56 00"));
  EXPECT_EQ(realtime(1) & 0x12, 0x12);  // status replies still come
  // The last ones came over the limit: told so and closed at once.
  for (std::size_t i = flood.size() - 10; i < flood.size(); ++i)
    EXPECT_TRUE(has(readUntil(flood[i], [](const std::string&) { return false; }), "503")) << i;
  // Half requests are dropped when their time is up, freeing their places.
  auto started = steady_clock::now();
  EXPECT_EQ(readUntil(flood[0], [](const std::string&) { return false; }), "");
  EXPECT_LT(steady_clock::now() - started, kBound);  // closed, not waited out
  for (int fd : flood) close(fd);
  close(stalled);
  // All twenty receipts were printed, and the page serves again.
  EXPECT_TRUE(has(waitFor("/api/receipts", "receipt-0020.png"), "receipt-0020.png"));
}

}  // namespace
}  // namespace vprinter::test
