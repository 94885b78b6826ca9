#include "tools/vprinter/web/web_server.h"

#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <fstream>
#include <iterator>

#include "tools/vprinter/display/display_picture.h"
#include "tools/vprinter/render/png.h"
#include "tools/vprinter/web/page.h"

namespace vprinter {
namespace {

constexpr int kAcceptPerRound = 16;
constexpr int kReadsPerRound = 4;
constexpr std::size_t kMaxDiscard = 64u << 10;  // bytes taken from an answered connection
constexpr std::size_t kMaxFile = 64u << 20;

// Control lines the page may send: the printer's buttons, not the
// connection or program ones (drop, quit).
const char* const kButtonVerbs[] = {"cover", "paper", "offline", "online", "drawer", "error", "ink"};

const char kStreamHead[] =
    "HTTP/1.1 200 OK\r\nContent-Type: text/event-stream\r\nCache-Control: no-store\r\n"
    "X-Content-Type-Options: nosniff\r\nConnection: close\r\n\r\nretry: 1000\n\n";

const char kPageHeaders[] =
    "Content-Security-Policy: default-src 'self'; img-src 'self'; frame-ancestors 'none'; base-uri 'none'\r\n";

std::string event(const char* name, const std::string& data) {
  return std::string("event: ") + name + "\ndata: " + data + "\n\n";
}

// "/receipt-0012.png" -> 12 with png true; 0 when the path is no receipt.
int receiptNumber(const std::string& path, bool& png) {
  const std::string prefix = "/receipt-";
  if (path.compare(0, prefix.size(), prefix) != 0) return 0;
  std::size_t dot = path.find('.', prefix.size());
  if (dot == std::string::npos) return 0;
  std::string digits = path.substr(prefix.size(), dot - prefix.size()), ext = path.substr(dot + 1);
  if (digits.size() < 4 || digits.size() > 9 ||
      !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; }))
    return 0;
  if (ext != "png" && ext != "jsonl") return 0;
  png = ext == "png";
  int n = std::stoi(digits);
  return receiptName(n, png ? "png" : "jsonl") == path.substr(1) ? n : 0;
}

std::string plain(int status, const std::string& text) {
  return httpResponse(status, "text/plain; charset=utf-8", text + "\n");
}

}  // namespace

WebServer::WebServer(Printer& printer, Control& control, std::string outDir, WebLimits limits)
    : printer_(printer), control_(control), outDir_(std::move(outDir)), limits_(limits) {
  printer_.onLogLine([this](const std::string& line) {
    book_.addLine(line);
    int cut = printer_.receipts().count();
    if (cut > book_.cutCount()) book_.sync(cut, utcNow());
  });
}

WebServer::~WebServer() { printer_.onLogLine(nullptr); }

bool WebServer::start(int& port, std::string& error) {
  listener_ = listenTcp(port, error, 128);  // a browser opens several at once; the loop sorts out the rest
  port_ = port;
  return bool(listener_);
}

void WebServer::addFds(std::vector<pollfd>& fds) const {
  fds.push_back(pollfd{listener_.get(), POLLIN, 0});
  for (const Conn& c : conns_) fds.push_back(pollfd{c.fd.get(), short(POLLIN | (c.out.empty() ? 0 : POLLOUT)), 0});
}

void WebServer::handle(const pollfd* fds, std::size_t count, Clock::time_point now) {
  for (std::size_t i = 0; i + 1 < count && i < conns_.size(); ++i) {
    Conn& c = conns_[i];
    if (fds[i + 1].revents & (POLLIN | POLLHUP | POLLERR)) read(c);
    if (!c.dead) write(c);
    if (!c.stream && now - c.since > std::chrono::milliseconds(limits_.requestTimeoutMs)) c.dead = true;
  }
  conns_.erase(std::remove_if(conns_.begin(), conns_.end(), [](const Conn& c) { return c.dead; }), conns_.end());
  if (count > 0 && (fds[0].revents & POLLIN)) accept(now);
}

void WebServer::accept(Clock::time_point now) {
  static const std::string kBusy = plain(503, "too many connections");
  for (int i = 0; i < kAcceptPerRound; ++i) {
    int fd = ::accept4(listener_.get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (fd < 0) return;
    Fd owned(fd);
    if (conns_.size() >= limits_.maxConnections) {
      // Take what the client sent already, so closing does not reset the reply away.
      char buf[4096];
      while (::recv(fd, buf, sizeof buf, MSG_DONTWAIT) > 0) {
      }
      ssize_t ignored = ::send(fd, kBusy.data(), kBusy.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
      (void)ignored;
      ::shutdown(fd, SHUT_WR);
      continue;
    }
    Conn c;
    c.fd = std::move(owned);
    c.since = now;
    conns_.push_back(std::move(c));
  }
}

void WebServer::read(Conn& c) {
  char buf[4096];
  for (int i = 0; i < kReadsPerRound; ++i) {
    ssize_t r = ::recv(c.fd.get(), buf, sizeof buf, MSG_DONTWAIT);
    if (r < 0 && (errno == EAGAIN || errno == EINTR)) break;
    if (r <= 0) {
      c.dead = true;  // the browser left (or reset the connection)
      return;
    }
    c.in.append(buf, std::size_t(r));
    if (c.answered) {  // nothing more is read from it; keep draining within reason
      if (c.in.size() > kMaxDiscard) c.dead = true;
      continue;
    }
    HttpRequest req;
    int status = 0;
    HttpParse p = parseRequest(c.in, limits_.http, req, status);
    if (p == HttpParse::Incomplete) continue;
    c.answered = true;
    c.in.clear();
    if (p == HttpParse::Bad) c.out = plain(status, httpReason(status));
    else answer(c, req);
  }
}

void WebServer::write(Conn& c) {
  while (!c.out.empty()) {
    ssize_t w = ::send(c.fd.get(), c.out.data(), c.out.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
    if (w > 0) {
      c.out.erase(0, std::size_t(w));
      continue;
    }
    if (w < 0 && (errno == EAGAIN || errno == EINTR)) return;
    c.dead = true;
    return;
  }
  // Sent whole: the browser closes its side on Connection: close; we stop
  // writing and wait for that (or the request time-out), so no reset can
  // cut off the reply.
  if (c.answered && !c.stream && !c.shut) c.shut = ::shutdown(c.fd.get(), SHUT_WR) == 0;
}

void WebServer::answer(Conn& c, const HttpRequest& req) {
  std::string host = req.header("host"), port = ":" + std::to_string(port_);
  if (host != "127.0.0.1" + port && host != "localhost" + port) {
    c.out = plain(403, "unknown host");  // a page of another name reaching us through DNS
    return;
  }
  bool stream = false;
  c.out = route(req, stream);
  if (stream) {
    c.stream = true;
    c.out = kStreamHead + event("receipts", receiptsJson()) + event("state", stateJson()) +
            event("paper", paperJson()) + (display_ ? event("display", display_->json()) : "");
  }
}

std::string WebServer::route(const HttpRequest& req, bool& stream) {
  const std::string& p = req.path;
  if (p == "/api/control") return req.method == "POST" ? control(req) : plain(405, "use POST");
  if (req.method != "GET") return plain(405, "use GET");
  if (p == "/" || p == "/index.html") return httpResponse(200, "text/html; charset=utf-8", kPageHtml, kPageHeaders);
  if (p == "/app.css") return httpResponse(200, "text/css; charset=utf-8", kPageCss);
  if (p == "/app.js") return httpResponse(200, "text/javascript; charset=utf-8", kPageJs);
  if (p == "/events") return stream = true, "";
  if (p == "/api/state") return httpResponse(200, "application/json", stateJson());
  if (p == "/api/receipts") return httpResponse(200, "application/json", receiptsJson());
  if (p == "/display.png" || p == "/api/display") {
    if (!display_) return plain(404, "no customer display");
    if (p == "/api/display") return httpResponse(200, "application/json", display_->json());
    return httpResponse(200, "image/png", displayPng(display_->screen()),
                        "Content-Disposition: attachment; filename=\"display.png\"\r\n");
  }
  if (p == "/paper.png") {
    std::string png = paperPng();
    return png.empty() ? plain(404, "no paper") : httpResponse(200, "image/png", png);
  }
  bool png = false;
  int n = receiptNumber(p, png);
  if (n > 0) return receiptFile(n, png);
  return plain(404, "not found");
}

// A button: one control line, run exactly as the control socket runs it.
// The custom header keeps other sites' pages out: a browser sends it
// across origins only after a preflight this server never grants.
std::string WebServer::control(const HttpRequest& req) {
  if (req.header("x-vprinter") != "1") return plain(403, "missing X-Vprinter header");
  std::string line = req.body;
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  if (line.find_first_of("\r\n") != std::string::npos) return plain(400, "one line only");
  std::string verb = line.substr(0, line.find(' '));
  if (std::find(std::begin(kButtonVerbs), std::end(kButtonVerbs), verb) == std::end(kButtonVerbs))
    return plain(403, "not a printer button: " + verb);
  std::string reply = control_.execute(line);
  publish(true, Clock::now());
  return plain(reply.rfind("ok", 0) == 0 ? 200 : 400, reply);
}

std::string WebServer::receiptFile(int number, bool png) {
  if (!png) {
    const BookEntry* e = book_.find(number);
    if (!e || e->dropped) return plain(404, "commands no longer kept here; they are in commands.jsonl");
    std::string body;
    for (const std::string& line : e->lines) body += line + "\n";
    if (e->truncated) body += "{\"note\":\"later commands not kept\"}\n";
    return httpResponse(200, "application/x-ndjson; charset=utf-8", body,
                        "Content-Disposition: attachment; filename=\"" + receiptName(number, "jsonl") + "\"\r\n");
  }
  if (number > book_.cutCount()) return plain(404, "not cut yet");
  std::ifstream f(outDir_ + "/" + receiptName(number, "png"), std::ios::binary);
  std::string body;
  char buf[65536];
  while (f && body.size() < kMaxFile) {
    f.read(buf, sizeof buf);
    body.append(buf, std::size_t(f.gcount()));
  }
  if (body.empty()) return plain(404, "not written");
  return httpResponse(200, "image/png", body);
}

WebServer::PaperVersion WebServer::paperVersion() {
  const Receipts& r = printer_.receipts();
  return {printer_.bytesReceived(), r.count(), printer_.held(), r.y()};
}

// Encoded once per change of the paper however many ask for it.
std::string WebServer::paperPng() {
  PaperVersion v = paperVersion();
  if (!pngValid_ || v != pngVersion_) {
    png_ = encodePng(printer_.receipts().current());
    pngVersion_ = v;
    pngValid_ = true;
  }
  return png_;
}

std::string WebServer::stateJson() {
  std::string s = control_.execute("state");
  return s.rfind("ok ", 0) == 0 ? s.substr(3) : "{}";
}

std::string WebServer::receiptsJson() const {
  std::string s = "[";
  for (const BookEntry& e : book_.entries()) s += (s.size() > 1 ? "," : "") + entryJson(e);
  return s + "]";
}

std::string WebServer::paperJson() const {
  return "{\"v\":" + std::to_string(paperSerial_) + ",\"n\":" + std::to_string(book_.current().number) + "}";
}

void WebServer::broadcast(const char* name, const std::string& data) {
  std::string e = event(name, data);
  for (Conn& c : conns_) {
    if (!c.stream || c.dead) continue;
    c.out += e;
    if (c.out.size() > limits_.maxStreamBacklog) c.dead = true;  // a reader that fell behind
  }
}

void WebServer::publish(bool force, Clock::time_point now) {
  book_.sync(printer_.receipts().count(), utcNow());
  for (const BookEntry& e : book_.entries())
    if (e.number > announced_) broadcast("receipt", entryJson(e));
  announced_ = book_.cutCount();
  if (!force && now - lastPublish_ < std::chrono::milliseconds(limits_.publishEveryMs)) {
    pending_ = true;
    return;
  }
  lastPublish_ = now;
  pending_ = false;
  std::string state = stateJson();
  if (state != lastState_) broadcast("state", lastState_ = state);
  PaperVersion v = paperVersion();
  if (v != lastPaper_) {
    lastPaper_ = v;
    ++paperSerial_;
    broadcast("paper", paperJson());
  }
  if (display_) {
    std::string screen = display_->json();
    if (screen != lastDisplay_) broadcast("display", lastDisplay_ = screen);
  }
}

void WebServer::update(Clock::time_point now) {
  publish(false, now);
  for (Conn& c : conns_)
    if (!c.dead && !c.out.empty()) write(c);
  conns_.erase(std::remove_if(conns_.begin(), conns_.end(), [](const Conn& c) { return c.dead; }), conns_.end());
}

int WebServer::timeoutMs(Clock::time_point now, int limitMs) const {
  if (!pending_) return limitMs;
  auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                  lastPublish_ + std::chrono::milliseconds(limits_.publishEveryMs) - now)
                  .count();
  return int(std::clamp<long long>(left + 1, 0, limitMs));
}

}  // namespace vprinter
