#include "vprinter_link.h"

#include <winsock2.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>

#include "e2e_setup.h"

namespace {

// Owned socket, closed on every way out.
struct Socket {
  SOCKET s = INVALID_SOCKET;
  ~Socket() {
    if (s != INVALID_SOCKET) closesocket(s);
  }
};

std::vector<std::string> CompleteLines() {
  std::vector<std::string> lines;
  std::ifstream in(Rig().outFolder + "\\commands.jsonl", std::ios::binary);
  std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::size_t start = 0, nl;
  while ((nl = all.find('\n', start)) != std::string::npos) {  // a partly written line waits
    lines.push_back(all.substr(start, nl - start));
    start = nl + 1;
  }
  return lines;
}

// A JSON string starting at s[i] == '"'; i ends after the closing quote.
bool ReadString(const std::string& s, std::size_t& i, std::string& out) {
  out.clear();
  for (++i; i < s.size(); ++i) {
    char c = s[i];
    if (c == '"') return ++i, true;
    if (c != '\\') {
      out += c;
      continue;
    }
    if (++i >= s.size()) return false;
    switch (s[i]) {
      case 'n': out += '\n'; break;
      case 'r': out += '\r'; break;
      case 't': out += '\t'; break;
      case 'u':
        if (i + 4 >= s.size()) return false;
        out += static_cast<char>(std::strtol(s.substr(i + 1, 4).c_str(), nullptr, 16));
        i += 4;
        break;
      default: out += s[i];
    }
  }
  return false;
}

// A number or an array of numbers; i ends after it.
bool ReadNumbers(const std::string& s, std::size_t& i, std::vector<long>& out) {
  bool array = s[i] == '[';
  if (array) ++i;
  while (i < s.size()) {
    if (array && s[i] == ']') return ++i, true;
    char* end = nullptr;
    long v = std::strtol(s.c_str() + i, &end, 10);
    if (end == s.c_str() + i) return false;
    out.push_back(v);
    i = static_cast<std::size_t>(end - s.c_str());
    if (!array) return true;
    if (i < s.size() && s[i] == ',') ++i;
  }
  return false;
}

}  // namespace

std::string Control(const std::string& line) {
  Socket sock;
  sock.s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (sock.s == INVALID_SOCKET) return "error no answer";
  DWORD limit = 5000;
  setsockopt(sock.s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&limit), sizeof limit);
  sockaddr_in to = {};
  to.sin_family = AF_INET;
  to.sin_port = htons(static_cast<u_short>(Rig().controlPort));
  to.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(sock.s, reinterpret_cast<sockaddr*>(&to), sizeof to) != 0) return "error no answer";
  std::string request = line + "\n";
  if (send(sock.s, request.data(), static_cast<int>(request.size()), 0) != static_cast<int>(request.size())) {
    return "error no answer";
  }
  std::string reply;
  char buffer[4096];
  while (reply.find('\n') == std::string::npos) {
    int n = recv(sock.s, buffer, sizeof buffer, 0);
    if (n <= 0) return "error no answer";
    reply.append(buffer, static_cast<std::size_t>(n));
  }
  reply.erase(reply.find('\n'));
  if (!reply.empty() && reply.back() == '\r') reply.pop_back();
  return reply;
}

std::string ControlOk(const std::string& line) {
  std::string reply = Control(line);
  if (reply.rfind("ok", 0) != 0) {
    ADD_FAILURE() << "virtual printer refused \"" << line << "\": " << reply;
    return {};
  }
  return reply.size() > 3 ? reply.substr(3) : std::string();
}

bool ParseLoggedCommand(const std::string& line, LoggedCommand& out) {
  out = LoggedCommand();
  std::size_t i = 0;
  if (line.empty() || line[i++] != '{') return false;
  std::string key, value;
  while (i < line.size() && line[i] == '"') {
    if (!ReadString(line, i, key) || i >= line.size() || line[i++] != ':' || i >= line.size()) return false;
    if (line[i] == '"') {
      if (!ReadString(line, i, value)) return false;
      if (key == "cmd") out.cmd = value;
      if (key == "text") out.text = value;
      if (key == "hex") out.hex = value;
    } else {
      std::vector<long> numbers;
      if (!ReadNumbers(line, i, numbers)) return false;
      if (key == "args") out.args = numbers;
    }
    if (i < line.size() && line[i] == ',') ++i;
  }
  return i < line.size() && line[i] == '}' && !out.cmd.empty();
}

CommandLog::CommandLog() : mark_(CompleteLines().size()) {}

std::vector<LoggedCommand> CommandLog::Since() const {
  std::vector<std::string> lines = CompleteLines();
  std::vector<LoggedCommand> commands;
  for (std::size_t i = mark_; i < lines.size(); ++i) {
    LoggedCommand c;
    if (ParseLoggedCommand(lines[i], c)) commands.push_back(c);
  }
  return commands;
}

std::string CommandLog::HexSince() const {
  std::string hex;
  for (const LoggedCommand& c : Since()) hex += c.hex;
  return hex;
}

std::string CommandLog::TextSince() const {
  std::string text;
  for (const LoggedCommand& c : Since()) text += c.text;
  return text;
}

int Occurrences(const std::string& haystack, const std::string& needle) {
  if (needle.empty()) return 0;
  int n = 0;
  for (std::size_t at = haystack.find(needle); at != std::string::npos; at = haystack.find(needle, at + needle.size())) {
    ++n;
  }
  return n;
}

int HexOccurrences(const std::string& hex, const std::string& needle) {
  if (needle.empty()) return 0;
  int n = 0;
  std::size_t at = hex.find(needle);
  while (at != std::string::npos) {
    if (at % 2 == 0) {  // on a byte boundary
      ++n;
      at = hex.find(needle, at + needle.size());
    } else {
      at = hex.find(needle, at + 1);
    }
  }
  return n;
}
