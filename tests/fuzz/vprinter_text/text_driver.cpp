#include "tests/fuzz/vprinter_text/text_driver.h"

#include <vector>

#include "tools/vprinter/printer/printer.h"
#include "tools/vprinter/text/text_decoder.h"

namespace {

using vprinter::Multibyte;
using vprinter::TextChar;

const Multibyte kCodes[] = {Multibyte::ShiftJis, Multibyte::Jis,  Multibyte::ShiftJis2004,
                            Multibyte::Gb18030,  Multibyte::Big5, Multibyte::Ksc5601};

bool same(const std::vector<TextChar>& a, const std::vector<TextChar>& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i].cp != b[i].cp || a[i].wide != b[i].wide || a[i].combining != b[i].combining || a[i].code != b[i].code)
      return false;
  return true;
}

// Decodes in chunks; empty string, or what broke.
std::string decode(const vprinter::TextMode& mode, const std::string& text, std::size_t chunk,
                   std::vector<TextChar>& out) {
  vprinter::TextDecoder d;
  d.mode = mode;
  for (std::size_t i = 0; i < text.size(); i += chunk) {
    d.decode(std::string_view(text).substr(i, chunk), out);
    if (d.pending() > 3) return "more than three bytes held";
  }
  d.flush(out);
  return "";
}

}  // namespace

std::string RunVprinterTextInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return "";
  vprinter::TextMode mode;
  mode.multibyte = kCodes[(data[0] & 7) % 6];
  mode.kanji = data[0] & 0x08;
  mode.utf8 = data[0] & 0x10;
  mode.table = data[0] >> 5;
  std::size_t chunk = data[1] % 7 + 1;
  const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);

  std::vector<TextChar> whole, split;
  std::string problem = decode(mode, text, text.size() + 1, whole);
  if (problem.empty()) problem = decode(mode, text, chunk, split);
  if (!problem.empty()) return problem;
  if (!same(whole, split)) return "split input decodes differently";
  if (whole.size() > 2 * text.size() + 1) return "more characters than bytes";
  for (const TextChar& c : whole)
    if (c.cp > 0x10FFFF || (c.cp >= 0xD800 && c.cp <= 0xDFFF)) return "not a character";

  // The printer takes it as print data in that mode; receipts go nowhere.
  vprinter::PrinterOptions options{"/nonexistent/vprinter-fuzz", 576};
  options.kanji = mode.multibyte == Multibyte::Jis || mode.multibyte == Multibyte::ShiftJis2004
                      ? Multibyte::ShiftJis
                      : mode.multibyte;
  vprinter::Printer printer(options);
  vprinter::Session host("fuzz");
  printer.attach(&host);
  const std::string utf8On("\x1c(C\x02\x00" "01", 7);
  std::string prefix = mode.utf8 ? utf8On : mode.kanji ? "\x1c&" : "";
  if (mode.multibyte == Multibyte::Jis) prefix += "\x1c" "C0";
  if (mode.multibyte == Multibyte::ShiftJis2004) prefix += "\x1c" "C2";
  printer.receive(host, prefix + text + "\n");
  printer.detach(&host);
  return "";
}
