#include "tools/vprinter/web/http.h"

#include <algorithm>
#include <cctype>

namespace vprinter {
namespace {

std::string lower(std::string s) {
  for (char& c : s) c = char(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::string trim(const std::string& s) {
  std::size_t b = s.find_first_not_of(" \t"), e = s.find_last_not_of(" \t");
  return b == std::string::npos ? std::string() : s.substr(b, e - b + 1);
}

bool isToken(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) {
    return std::isalnum(static_cast<unsigned char>(c)) || std::string("!#$%&'*+-.^_`|~").find(c) != std::string::npos;
  });
}

// Request line: METHOD SP target SP HTTP/1.x, the target an absolute path.
bool parseRequestLine(const std::string& line, HttpRequest& req) {
  std::size_t a = line.find(' '), b = line.rfind(' ');
  if (a == std::string::npos || a == b) return false;
  req.method = line.substr(0, a);
  std::string target = line.substr(a + 1, b - a - 1), version = line.substr(b + 1);
  if (!isToken(req.method) || target.empty() || target[0] != '/') return false;
  if (version != "HTTP/1.1" && version != "HTTP/1.0") return false;
  if (std::any_of(target.begin(), target.end(), [](unsigned char c) { return c <= ' ' || c >= 0x7f; })) return false;
  std::size_t q = target.find('?');
  req.path = target.substr(0, q);
  req.query = q == std::string::npos ? "" : target.substr(q + 1);
  return true;
}

}  // namespace

std::string HttpRequest::header(const std::string& name) const {
  for (const auto& h : headers)
    if (h.first == name) return h.second;
  return "";
}

HttpParse parseRequest(const std::string& in, const HttpLimits& limits, HttpRequest& req, int& status) {
  auto bad = [&](int code) {
    status = code;
    return HttpParse::Bad;
  };
  std::size_t end = in.find("\r\n\r\n");
  if (end == std::string::npos) return in.size() > limits.maxHead ? bad(431) : HttpParse::Incomplete;
  if (end + 4 > limits.maxHead) return bad(431);
  req = HttpRequest{};
  std::size_t pos = in.find("\r\n");
  if (!parseRequestLine(in.substr(0, pos), req)) return bad(400);
  while (pos < end) {
    std::size_t next = in.find("\r\n", pos + 2);
    std::string line = in.substr(pos + 2, next - pos - 2);
    pos = next;
    std::size_t colon = line.find(':');
    if (colon == std::string::npos || !isToken(line.substr(0, colon))) return bad(400);
    req.headers.emplace_back(lower(line.substr(0, colon)), trim(line.substr(colon + 1)));
  }
  if (!req.header("transfer-encoding").empty()) return bad(501);
  std::size_t length = 0;
  bool seen = false;
  for (const auto& h : req.headers) {
    if (h.first != "content-length") continue;
    const std::string& v = h.second;
    if (v.empty() || v.size() > 9 || !std::all_of(v.begin(), v.end(), [](char c) { return c >= '0' && c <= '9'; }))
      return bad(400);
    std::size_t n = std::stoul(v);
    if (seen && n != length) return bad(400);
    length = n;
    seen = true;
  }
  if (length > limits.maxBody) return bad(413);
  if (in.size() < end + 4 + length) return HttpParse::Incomplete;
  req.body = in.substr(end + 4, length);
  return HttpParse::Done;
}

const char* httpReason(int status) {
  switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 408: return "Request Timeout";
    case 413: return "Content Too Large";
    case 431: return "Request Header Fields Too Large";
    case 501: return "Not Implemented";
    case 503: return "Service Unavailable";
    default: return "Error";
  }
}

std::string httpResponse(int status, const std::string& type, const std::string& body, const std::string& headers) {
  return "HTTP/1.1 " + std::to_string(status) + " " + httpReason(status) + "\r\nContent-Type: " + type +
         "\r\nContent-Length: " + std::to_string(body.size()) +
         "\r\nCache-Control: no-store\r\nX-Content-Type-Options: nosniff\r\nConnection: close\r\n" + headers + "\r\n" +
         body;
}

}  // namespace vprinter
