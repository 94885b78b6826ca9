#include "portmgr/core/link_config.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "portmgr/portmgr.h"

namespace portmgr {

namespace {

constexpr size_t kMaxNameLength = 1024;  // longer names are refused
constexpr int kDefaultInputBuffer = 4096;
constexpr int kMaxBuffer = 1 << 20;
constexpr int kMaxTimeoutMs = 600000;
constexpr int kDefaultWriteMs = 3000;
constexpr int kDefaultConnectMs = 3000;

bool UsesDefaultWriteLimit(const LinkConfig& c) { return c.writePerByteMs == 0 && c.writeConstantMs == 0; }

bool InRange(int32_t v, int32_t lo, int32_t hi) { return v >= lo && v <= hi; }

// Reads at most kMaxNameLength + 1 bytes of the caller's text.
bool CopyName(const char* text, std::string* out) {
  size_t n = 0;
  while (n <= kMaxNameLength && text[n] != '\0') ++n;
  if (n > kMaxNameLength) return false;
  out->assign(text, n);
  return true;
}

int ClampBuffer(int32_t v, int dflt) { return v <= 0 ? dflt : std::min<int32_t>(v, kMaxBuffer); }

bool ParseOptions(const PortSettings& s, LinkConfig* c) {
  const int32_t* o = s.option;
  if (!InRange(o[PORTMGR_OPT_REPLY_GAP], 0, kMaxTimeoutMs)) return false;
  if (!InRange(o[PORTMGR_OPT_WRITE_PER_BYTE], 0, 10000)) return false;
  if (!InRange(o[PORTMGR_OPT_WRITE_CONSTANT], 0, kMaxTimeoutMs)) return false;
  c->replyGapMs = o[PORTMGR_OPT_REPLY_GAP];
  c->writePerByteMs = o[PORTMGR_OPT_WRITE_PER_BYTE];
  c->writeConstantMs = o[PORTMGR_OPT_WRITE_CONSTANT];
  c->inputBuffer = ClampBuffer(s.inputBuffer, kDefaultInputBuffer);
  c->outputBuffer = ClampBuffer(s.outputBuffer, 0);
  return true;
}

bool ParseSerialLine(const PortSettings& s, LinkConfig* c) {
  if (!InRange(s.baudRate, 1, 4000000) || !InRange(s.dataBits, 5, 8)) return false;
  if (!InRange(s.stopBits, 0, 2) || !InRange(s.parity, 0, 2)) return false;
  if (!InRange(s.option[PORTMGR_OPT_FLOW], 0, 3)) return false;
  c->baudRate = s.baudRate;
  c->dataBits = s.dataBits;
  c->stopBits = s.stopBits;
  c->parity = s.parity;
  c->flow = s.option[PORTMGR_OPT_FLOW];
  return true;
}

// The kind and OS path of a name; false for a name nothing can open.
bool Classify(const PortSettings& s, LinkConfig* c) {
  const std::string& name = c->name;
  if (name.empty()) return false;
  if (int n = ParseNumberedPort(name, "COM")) {
    c->kind = LinkKind::Serial;
    c->number = n;
    c->path = SerialPath(n);
    return ParseSerialLine(s, c);
  }
  if (int n = ParseNumberedPort(name, "LPT")) {
    c->kind = LinkKind::Parallel;
    c->number = n;
    c->path = ParallelPath(n);
    return true;
  }
  if (IsIPv4(name)) {
    // 0.0.0.0 is the unset address (and would reach this very host on some
    // systems); the broadcast address is no printer either.
    if (name == "0.0.0.0" || name == "255.255.255.255") return false;
    if (!InRange(s.baudRate, 0, 65535)) return false;
    c->kind = LinkKind::Tcp;
    c->path = name;
    c->tcpPort = s.baudRate == 0 ? PORTMGR_TCP_DEFAULT_PORT : s.baudRate;
    return true;
  }
  if (name == "NUL") {
    c->kind = LinkKind::Null;
    return true;
  }
  c->kind = LinkKind::Device;
  c->path = name;
  // A device path may still be a serial line (a tty): keep valid line
  // values for it, fall back to 9600 8N1 otherwise.
  if (!ParseSerialLine(s, c)) {
    c->baudRate = 9600;
    c->dataBits = 8;
    c->stopBits = 0;
    c->parity = 0;
    c->flow = 0;
  }
  return true;
}

}  // namespace

int64_t LinkConfig::WritePerByteMs() const { return UsesDefaultWriteLimit(*this) ? 1 : writePerByteMs; }

int64_t LinkConfig::WriteConstantMs() const {
  return UsesDefaultWriteLimit(*this) ? kDefaultWriteMs : writeConstantMs;
}

int LinkConfig::ConnectLimitMs() const { return writeConstantMs > 0 ? writeConstantMs : kDefaultConnectMs; }

int ParseNumberedPort(const std::string& name, const char* prefix) {
  const size_t p = std::strlen(prefix);
  if (name.size() <= p || name.size() > p + 3) return 0;
  for (size_t i = 0; i < p; ++i) {
    if (std::toupper(static_cast<unsigned char>(name[i])) != prefix[i]) return 0;
  }
  int n = 0;
  for (size_t i = p; i < name.size(); ++i) {
    if (!std::isdigit(static_cast<unsigned char>(name[i]))) return 0;
    n = n * 10 + (name[i] - '0');
  }
  return (n >= 1 && n <= 256) ? n : 0;
}

bool IsIPv4(const std::string& name) {
  int parts = 0;
  size_t i = 0;
  while (i <= name.size()) {
    size_t digits = 0;
    int value = 0;
    while (i < name.size() && std::isdigit(static_cast<unsigned char>(name[i])) && digits < 4) {
      value = value * 10 + (name[i] - '0');
      ++digits;
      ++i;
    }
    if (digits == 0 || digits > 3 || value > 255) return false;
    ++parts;
    if (i == name.size()) return parts == 4;
    if (name[i] != '.' || parts == 4) return false;
    ++i;
  }
  return false;
}

bool ParseSettings(const PortSettings& settings, const std::string& fallbackName, LinkConfig* out) {
  LinkConfig c;
  if (settings.portName != nullptr && !CopyName(settings.portName, &c.name)) return false;
  if (c.name.empty()) c.name = fallbackName;
  if (c.name.size() > kMaxNameLength) return false;
  if (!ParseOptions(settings, &c) || !Classify(settings, &c)) return false;
  *out = c;
  return true;
}

std::string SerialPath(int number) {
#ifdef _WIN32
  return "\\\\.\\COM" + std::to_string(number);
#else
  return "/dev/ttyS" + std::to_string(number - 1);
#endif
}

std::string ParallelPath(int number) {
#ifdef _WIN32
  return "\\\\.\\LPT" + std::to_string(number);
#else
  return "/dev/lp" + std::to_string(number - 1);
#endif
}

}  // namespace portmgr
