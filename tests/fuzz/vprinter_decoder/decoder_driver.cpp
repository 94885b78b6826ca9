#include "tests/fuzz/vprinter_decoder/decoder_driver.h"

#include <vector>

#include "tools/vprinter/decode/decoder.h"
#include "tools/vprinter/printer/printer.h"

namespace {

using vprinter::Command;
using vprinter::Op;

struct Summary {
  std::vector<std::string> commands;  // everything but text, with payload size
  std::string text;
  std::size_t length = 0;
  bool oversize = false;
};

Summary decode(const std::string& stream, std::size_t chunk) {
  Summary s;
  vprinter::Decoder d;
  auto sink = [&](const Command& c) {
    s.length += c.length;
    s.oversize |= c.op == Op::Oversize;
    if (c.op == Op::Text) s.text += c.data;
    else s.commands.push_back(std::string(c.name) + ":" + std::to_string(c.data.size()));
  };
  for (std::size_t i = 0; i < stream.size(); i += chunk) d.feed(stream.substr(i, chunk), sink);
  d.finish(sink);
  return s;
}

}  // namespace

std::string RunVprinterDecoderInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return "";
  std::size_t chunk = data[0] % 13 + 1;
  std::string stream(reinterpret_cast<const char*>(data + 1), size - 1);

  Summary whole = decode(stream, stream.size() + 1), split = decode(stream, chunk);
  if (whole.oversize ? whole.length < stream.size() : whole.length != stream.size())
    return "command lengths do not add up to the input";
  if (whole.commands != split.commands || whole.text != split.text) return "split input decodes differently";

  // The whole printer must take the stream too; receipts go nowhere.
  vprinter::PrinterOptions options{"/nonexistent/vprinter-fuzz", 576};
  vprinter::Printer printer(options);
  vprinter::Session host("fuzz");
  printer.attach(&host);
  printer.receive(host, stream.substr(0, stream.size() / 2));
  printer.device().coverOpen = true;  // hold the rest, then let it through
  printer.receive(host, stream.substr(stream.size() / 2));
  printer.device().coverOpen = false;
  printer.statusChanged();
  printer.detach(&host);
  if (host.outbox.size() > 8 * stream.size() + 64) return "more replies than requests";
  return "";
}
