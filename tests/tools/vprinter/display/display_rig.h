// Helpers for the customer display's tests: decode a byte string, run it on
// a screen, read the screen back as plain rows.
#pragma once

#include <string>
#include <vector>

#include "tests/tools/vprinter/rig.h"
#include "tools/vprinter/display/display.h"

namespace vprinter::test {

// "name[args]/length" of each command, text as "text:BYTES".
inline std::vector<std::string> displayCommands(const std::string& bytes, std::size_t chunk = 0) {
  std::vector<std::string> out;
  DisplayDecoder d;
  auto sink = [&](const DisplayCommand& c) {
    std::string s = c.op == DisplayOp::Text ? "text:" + c.data : std::string(c.name);
    for (std::size_t i = 0; i < c.args.size(); ++i) s += (i ? "," : "[") + std::to_string(c.args[i]);
    if (!c.args.empty()) s += "]";
    out.push_back(s + "/" + std::to_string(c.length));
  };
  if (chunk == 0) chunk = bytes.size() + 1;
  for (std::size_t i = 0; i < bytes.size(); i += chunk) d.feed(bytes.substr(i, chunk), sink);
  d.finish(sink);
  return out;
}

struct ScreenRig {
  explicit ScreenRig(int rows = 2, int columns = 20) : screen(rows, columns) {}
  // Runs bytes on the screen; returns the remarks, "; " between them.
  std::string send(const std::string& bytes) {
    std::string remarks;
    decoder.feed(bytes, [&](const DisplayCommand& c) {
      std::string r = screen.apply(c);
      if (!r.empty()) remarks += (remarks.empty() ? "" : "; ") + std::string(c.name) + ": " + r;
    });
    return remarks;
  }
  std::vector<std::string> rows() const {
    std::vector<std::string> out;
    for (int r = 0; r < screen.rows(); ++r) out.push_back(screen.rowText(r));
    return out;
  }
  std::vector<std::string> attrs() const {
    std::vector<std::string> out;
    for (int r = 0; r < screen.rows(); ++r) out.push_back(screen.rowAttrs(r));
    return out;
  }
  std::pair<int, int> cursor() const { return {screen.cursorRow(), screen.cursorColumn()}; }

  Screen screen;
  DisplayDecoder decoder;
};

// A row of the given text padded with spaces to the width.
inline std::string row(const std::string& text, std::size_t width = 20) {
  return text + std::string(width > text.size() ? width - text.size() : 0, ' ');
}

}  // namespace vprinter::test
