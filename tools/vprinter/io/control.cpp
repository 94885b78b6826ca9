#include "tools/vprinter/io/control.h"

#include <sstream>

#include "tools/vprinter/decode/json.h"

namespace vprinter {
namespace {

bool parseInk(const std::string& s, Ink& ink) {
  static const struct { const char* name; Ink ink; } kInks[] = {
      {"ok", Ink::Ok}, {"near-end", Ink::NearEnd}, {"empty", Ink::Empty},
      {"removed", Ink::Removed}, {"cleaning", Ink::Cleaning}};
  for (const auto& k : kInks)
    if (s == k.name) {
      ink = k.ink;
      return true;
    }
  return false;
}

}  // namespace

std::string Control::execute(const std::string& line) {
  std::istringstream in(line);
  std::string verb, arg, extra, rest;
  in >> verb >> arg >> extra >> rest;
  if (verb.empty()) return "error empty command";
  if (!rest.empty()) return "error too many arguments";
  if (verb == "save") {
    std::string path = printer_.receipts().save();
    return path.empty() ? "error nothing printed yet" : "ok " + path;
  }
  if (verb == "state") return "ok " + state();
  if (verb == "text") return "ok " + jsonQuoteUtf8(printer_.receipts().text());
  if (verb == "display" && arg.empty()) {
    std::string screen = hooks_.display ? hooks_.display() : "";
    return screen.empty() ? "error no customer display (start with --display-tcp or --display-pty)" : "ok " + screen;
  }
  if (verb == "drop") return "ok dropped " + std::to_string(hooks_.drop ? hooks_.drop() : 0);
  if (verb == "quit") {
    printer_.receipts().save();
    if (hooks_.quit) hooks_.quit();
    return "ok bye";
  }
  std::string reply = device(verb, arg, extra);
  if (reply.rfind("ok", 0) == 0) printer_.statusChanged();
  return reply;
}

std::string Control::device(const std::string& verb, const std::string& arg, const std::string& extra) {
  Device& d = printer_.device();
  bool one = extra.empty();
  if (verb == "cover" && one && (arg == "open" || arg == "close")) {
    d.coverOpen = arg == "open";
  } else if (verb == "paper" && one && (arg == "ok" || arg == "near-end" || arg == "empty")) {
    d.paper = arg == "ok" ? Paper::Ok : arg == "near-end" ? Paper::NearEnd : Paper::Empty;
  } else if ((verb == "offline" || verb == "online") && arg.empty()) {
    d.offlineSwitch = verb == "offline";
  } else if (verb == "drawer" && one && (arg == "open" || arg == "close")) {
    if (arg == "open") d.openDrawer(Clock::now());
    else d.closeDrawer();
  } else if (verb == "error" && one) {
    if (arg == "cutter") d.cutterError = true;
    else if (arg == "mechanical") d.mechanicalError = true;
    else if (arg == "unrecoverable") d.unrecoverableError = true;
    else if (arg == "clear") d.cutterError = d.mechanicalError = d.unrecoverableError = false;
    else return "error unknown error kind: " + arg;
  } else if (verb == "ink") {
    Ink ink;
    if ((arg != "1" && arg != "2") || !parseInk(extra, ink)) return "error usage: ink 1|2 ok|near-end|empty";
    d.ink[arg == "1" ? 0 : 1] = ink;
  } else {
    return "error unknown command: " + verb + (arg.empty() ? "" : " " + arg);
  }
  return "ok " + verb + (arg.empty() ? "" : " " + arg) + (extra.empty() ? "" : " " + extra);
}

std::string Control::state() {
  std::string s = printer_.device().json();
  s.pop_back();
  const Renderer& r = printer_.renderer();
  s += ",\"receipts\":" + std::to_string(printer_.receipts().count()) +
       ",\"last_png\":" + jsonQuote(printer_.receipts().lastPath()) +
       ",\"bytes\":" + std::to_string(printer_.bytesReceived()) +
       ",\"commands\":" + std::to_string(printer_.commands()) +
       ",\"held\":" + std::to_string(printer_.held()) +
       ",\"page_mode\":" + (r.pageMode() ? "true" : "false") +
       ",\"connections\":" + std::to_string(printer_.sessions()) +
       ",\"model\":" + jsonQuote(printer_.model().name);
  if (hooks_.links) s += ",\"links\":" + hooks_.links();
  return s + "}";
}

}  // namespace vprinter
