#include "tests/fuzz/display_decoder/display_driver.h"

#include <vector>

#include "tools/vprinter/display/display.h"
#include "tools/vprinter/display/display_picture.h"

namespace {

using vprinter::DisplayCommand;
using vprinter::DisplayOp;
using vprinter::Screen;

struct Run {
  std::vector<std::string> commands;  // everything but text
  std::string text;
  std::size_t length = 0;
  std::string screen;  // rows, attributes and cursor after the stream
};

std::string picture(const Screen& s) {
  std::string out;
  for (int r = 0; r < s.rows(); ++r) out += s.rowText(r) + "|" + s.rowAttrs(r) + "\n";
  return out + std::to_string(s.cursorRow()) + "," + std::to_string(s.cursorColumn());
}

Run decode(const std::string& stream, std::size_t chunk, const vprinter::DisplayModel& model) {
  Run run;
  Screen screen(model.rows, model.columns);
  vprinter::DisplayDecoder d;
  auto sink = [&](const DisplayCommand& c) {
    run.length += c.length;
    if (c.op == DisplayOp::Text) run.text += c.data;
    else run.commands.push_back(std::string(c.name) + ":" + std::to_string(c.length));
    screen.apply(c);
  };
  for (std::size_t i = 0; i < stream.size(); i += chunk) d.feed(stream.substr(i, chunk), sink);
  d.finish(sink);
  run.screen = picture(screen);
  return run;
}

std::size_t codePoints(const std::string& utf8) {
  std::size_t n = 0;
  for (unsigned char c : utf8) n += (c & 0xC0) != 0x80;
  return n;
}

std::string checkScreen(const Screen& s) {
  if (s.cursorRow() < 0 || s.cursorRow() >= s.rows() || s.cursorColumn() < 0 || s.cursorColumn() >= s.columns())
    return "cursor off the screen";
  for (int r = 0; r < s.rows(); ++r)
    if (codePoints(s.rowText(r)) != std::size_t(s.columns()) || s.rowAttrs(r).size() != std::size_t(s.columns()))
      return "a row is not as long as the screen is wide";
  int b = s.brightness();
  if (b != 0 && b != 20 && b != 40 && b != 60 && b != 100) return "brightness off the tube's levels";
  vprinter::Bitmap pic = vprinter::displayBitmap(s);
  if (pic.empty()) return "no picture";
  return "";
}

}  // namespace

std::string RunDisplayDecoderInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return "";
  std::size_t chunk = data[0] % 13 + 1;
  const vprinter::DisplayModel& model =
      *vprinter::findDisplayModel((data[0] & 0x80) ? "QDX-420" : "QDX-200");
  std::string stream(reinterpret_cast<const char*>(data + 1), size - 1);

  Run whole = decode(stream, stream.size() + 1, model), split = decode(stream, chunk, model);
  if (whole.length != stream.size()) return "command lengths do not add up to the input";
  if (whole.commands != split.commands || whole.text != split.text) return "split input decodes differently";
  if (whole.screen != split.screen) return "split input leaves another screen";

  // The whole display, through a session, with its JSON and picture.
  vprinter::Display display(model);
  vprinter::DisplaySession host("fuzz");
  display.attach(&host);
  display.receive(host, stream);
  display.detach(&host);
  std::string problem = checkScreen(display.screen());
  if (!problem.empty()) return problem;
  if (display.json().find("\"rows\":[") == std::string::npos) return "no rows in the reply";
  return "";
}
