// Shared test helpers: byte strings from hex, a scratch folder, and a
// printer with one host session.
#pragma once

#include <cstdlib>
#include <string>
#include <vector>

#include "tools/vprinter/decode/decoder.h"
#include "tools/vprinter/decode/json.h"
#include "tools/vprinter/printer/printer.h"

namespace vprinter::test {

inline std::string hex(const std::string& h) {
  std::string out;
  std::string digits;
  for (char c : h)
    if (c != ' ') digits += c;
  for (std::size_t i = 0; i + 1 < digits.size(); i += 2) out += char(std::stoi(digits.substr(i, 2), nullptr, 16));
  return out;
}

inline std::vector<Command> decodeAll(const std::string& bytes) {
  std::vector<Command> out;
  Decoder d;
  d.feed(bytes, [&](const Command& c) { out.push_back(c); });
  d.finish([&](const Command& c) { out.push_back(c); });
  return out;
}

// A fresh folder under the system's temporary directory.
inline std::string scratchDir() {
  char tmpl[] = "/tmp/vprinter-test-XXXXXX";
  const char* dir = mkdtemp(tmpl);
  return dir ? dir : "/tmp";
}

inline PrinterOptions rigOptions(Multibyte kanji) {
  PrinterOptions o{scratchDir(), 576};
  o.kanji = kanji;
  return o;
}

struct Rig {
  PrinterOptions opts;
  Printer printer;
  Session host{"test"};
  explicit Rig(Multibyte kanji = Multibyte::ShiftJis) : opts(rigOptions(kanji)), printer(opts) {
    printer.attach(&host);
  }
  ~Rig() { printer.detach(&host); }
  // Sends bytes and returns what the printer answered.
  std::string send(const std::string& bytes) {
    printer.receive(host, bytes);
    std::string out;
    out.swap(host.outbox);
    return out;
  }
  std::string changed() {
    printer.statusChanged();
    std::string out;
    out.swap(host.outbox);
    return out;
  }
};

}  // namespace vprinter::test
