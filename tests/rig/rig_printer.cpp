#include "tests/rig/rig_printer.h"

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <thread>

namespace rig {
namespace {

// Complete lines of the log; a line still being written is left out.
std::vector<std::string> LogLines() {
  std::vector<std::string> lines;
  if (!Printer()) return lines;
  std::ifstream in(Printer()->outDir + "/commands.jsonl", std::ios::binary);
  const std::string all((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::size_t start = 0, end;
  while ((end = all.find('\n', start)) != std::string::npos) {
    lines.push_back(all.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

void AppendUtf8(unsigned code, std::string* out) {
  if (code < 0x80) {
    *out += char(code);
  } else if (code < 0x800) {
    *out += char(0xC0 | (code >> 6));
    *out += char(0x80 | (code & 0x3F));
  } else {
    *out += char(0xE0 | (code >> 12));
    *out += char(0x80 | ((code >> 6) & 0x3F));
    *out += char(0x80 | (code & 0x3F));
  }
}

// A JSON string at s[*i] == '"'; *i ends after the closing quote.
bool ReadString(const std::string& s, std::size_t* i, std::string* out) {
  out->clear();
  for (++*i; *i < s.size(); ++*i) {
    const char c = s[*i];
    if (c == '"') return ++*i, true;
    if (c != '\\') {
      *out += c;
      continue;
    }
    if (++*i >= s.size()) return false;
    switch (s[*i]) {
      case 'n': *out += '\n'; break;
      case 'r': *out += '\r'; break;
      case 't': *out += '\t'; break;
      case 'u': {
        if (*i + 4 >= s.size()) return false;
        AppendUtf8(unsigned(std::strtoul(s.substr(*i + 1, 4).c_str(), nullptr, 16)), out);
        *i += 4;
        break;
      }
      default: *out += s[*i];
    }
  }
  return false;
}

// A number, or an array of numbers; *i ends after it.
bool ReadNumbers(const std::string& s, std::size_t* i, std::vector<long>* out) {
  const bool array = s[*i] == '[';
  if (array) ++*i;
  while (*i < s.size()) {
    if (array && s[*i] == ']') return ++*i, true;
    char* end = nullptr;
    const long v = std::strtol(s.c_str() + *i, &end, 10);
    if (end == s.c_str() + *i) return false;
    out->push_back(v);
    *i = std::size_t(end - s.c_str());
    if (!array) return true;
    if (*i < s.size() && s[*i] == ',') ++*i;
  }
  return false;
}

void Store(const std::string& key, const std::string& value, LoggedCommand* c) {
  struct Field {
    const char* key;
    std::string LoggedCommand::*member;
  };
  static const Field kFields[] = {{"cmd", &LoggedCommand::cmd},
                                  {"src", &LoggedCommand::src},
                                  {"text", &LoggedCommand::text},
                                  {"data", &LoggedCommand::data},
                                  {"hex", &LoggedCommand::hex}};
  for (const Field& f : kFields) {
    if (key == f.key) c->*f.member = value;
  }
}

}  // namespace

std::string Control(const std::string& line) {
  if (!Printer()) return "error no answer";
  return ExchangeLine(Printer()->controlPort, line, 5000);
}

std::string ControlOk(const std::string& line) {
  const std::string reply = Control(line);
  if (reply.rfind("ok", 0) != 0) return std::string();
  return reply.size() > 3 ? reply.substr(3) : std::string();
}

long StateNumber(const std::string& key) {
  const std::string state = ControlOk("state"), tag = "\"" + key + "\":";
  const std::size_t at = state.find(tag);
  return at == std::string::npos ? -1 : std::atol(state.c_str() + at + tag.size());
}

std::string StateText(const std::string& key) {
  const std::string state = ControlOk("state"), tag = "\"" + key + "\":";
  std::size_t at = state.find(tag);
  std::string text;
  if (at == std::string::npos || state.compare(at + tag.size(), 1, "\"") != 0) return text;
  at += tag.size();
  return ReadString(state, &at, &text) ? text : std::string();
}

bool ResetDevice() {
  bool ok = true;
  static const char* const kLines[] = {"cover close", "paper ok", "online", "error clear",
                                       "drawer close", "ink 1 ok", "ink 2 ok"};
  for (const char* line : kLines) {
    ok = Control(line).rfind("ok", 0) == 0 && ok;
  }
  return ok;
}

bool ParseLoggedCommand(const std::string& line, LoggedCommand* out) {
  *out = LoggedCommand();
  std::size_t i = 0;
  if (line.empty() || line[i++] != '{') return false;
  std::string key, value;
  while (i < line.size() && line[i] == '"') {
    if (!ReadString(line, &i, &key) || i >= line.size() || line[i++] != ':' || i >= line.size()) return false;
    if (line[i] == '"') {
      if (!ReadString(line, &i, &value)) return false;
      Store(key, value, out);
    } else {
      std::vector<long> numbers;
      if (!ReadNumbers(line, &i, &numbers)) return false;
      if (key == "args") out->args = numbers;
    }
    if (i < line.size() && line[i] == ',') ++i;
  }
  return i < line.size() && line[i] == '}' && !out->cmd.empty();
}

CommandLog::CommandLog() : mark_(LogLines().size()) {}

std::vector<LoggedCommand> CommandLog::Since() const {
  const std::vector<std::string> lines = LogLines();
  std::vector<LoggedCommand> commands;
  for (std::size_t i = mark_; i < lines.size(); ++i) {
    LoggedCommand c;
    if (ParseLoggedCommand(lines[i], &c)) commands.push_back(c);
  }
  return commands;
}

bool CommandLog::WaitFor(const std::function<bool(const LoggedCommand&)>& test, int ms) const {
  return Eventually(
      [&] {
        for (const LoggedCommand& c : Since()) {
          if (test(c)) return true;
        }
        return false;
      },
      ms);
}

std::string CommandLog::TextSince() const {
  std::string text;
  for (const LoggedCommand& c : Since()) text += c.text;
  return text;
}

bool Eventually(const std::function<bool()>& condition, int ms) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char b : bytes) {
    out += kDigits[b >> 4];
    out += kDigits[b & 15];
  }
  return out;
}

}  // namespace rig
