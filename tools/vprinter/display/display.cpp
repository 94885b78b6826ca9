#include "tools/vprinter/display/display.h"

#include <algorithm>

#include "tools/vprinter/decode/json.h"
#include "tools/vprinter/render/font.h"

namespace vprinter {
namespace {

// The printer's log line format serves the display too: text, or a command.
Command logged(const DisplayCommand& c, const std::string& remark) {
  Command out;
  out.op = c.op == DisplayOp::Text ? Op::Text : c.op == DisplayOp::Unknown ? Op::Unknown : Op::Other;
  out.name = c.name;
  out.args = c.args;
  out.data = c.data;
  out.raw = c.raw;
  out.length = c.length;
  out.note = c.note.empty() ? remark : remark.empty() ? c.note : c.note + "; " + remark;
  return out;
}

std::string jsonArray(const std::vector<std::string>& quoted) {
  std::string s = "[";
  for (std::size_t i = 0; i < quoted.size(); ++i) s += (i ? "," : "") + quoted[i];
  return s + "]";
}

}  // namespace

Display::Display(const DisplayModel& model) : model_(model), screen_(model.rows, model.columns) {}

void Display::attach(DisplaySession* s) { sessions_.push_back(s); }

void Display::detach(DisplaySession* s) {
  s->decoder.finish([&](const DisplayCommand& c) { handle(*s, c); });
  sessions_.erase(std::remove(sessions_.begin(), sessions_.end(), s), sessions_.end());
}

void Display::receive(DisplaySession& s, const std::uint8_t* bytes, std::size_t length) {
  bytes_ += length;
  s.decoder.feed(bytes, length, [&](const DisplayCommand& c) { handle(s, c); });
}

void Display::handle(DisplaySession& s, const DisplayCommand& c) {
  // Text is logged as the screen shows it: in the table in force.
  std::string text;
  if (c.op == DisplayOp::Text) text = decodeText(c.data, screen_.codeTable(), screen_.international());
  std::string remark = screen_.apply(c);
  log_.write(logged(c, remark), s.name, c.op == DisplayOp::Text ? &text : nullptr);
}

std::string Display::json() const {
  const Screen& sc = screen_;
  std::vector<std::string> rows, attrs;
  for (int r = 0; r < sc.rows(); ++r) {
    rows.push_back(jsonQuoteUtf8(sc.rowText(r)));
    attrs.push_back(jsonQuote(sc.rowAttrs(r)));
  }
  return "{\"model\":" + jsonQuote(model_.name) + ",\"size\":[" + std::to_string(sc.rows()) + "," +
         std::to_string(sc.columns()) + "],\"rows\":" + jsonArray(rows) + ",\"attrs\":" + jsonArray(attrs) +
         ",\"cursor\":[" + std::to_string(sc.cursorRow()) + "," + std::to_string(sc.cursorColumn()) +
         "],\"cursor_shown\":" + (sc.cursorShown() ? "true" : "false") +
         ",\"brightness\":" + std::to_string(sc.brightness()) + ",\"blink_ms\":" + std::to_string(sc.blinkMs()) +
         ",\"lit\":" + (sc.lit() ? "true" : "false") + ",\"mode\":" + jsonQuote(screenModeName(sc.mode())) +
         ",\"code_table\":" + std::to_string(sc.codeTable()) +
         ",\"international\":" + std::to_string(sc.international()) +
         ",\"selected\":" + (sc.selected() ? "true" : "false") + ",\"bytes\":" + std::to_string(bytes_) +
         ",\"commands\":" + std::to_string(log_.count()) + ",\"connections\":" + std::to_string(sessions_.size()) +
         "}";
}

}  // namespace vprinter
