// The control line protocol: one command per line, one reply line
// ("ok ..." or "error ..."). Used by the unix socket and by stdin, both on
// the event loop thread.
#pragma once

#include <functional>
#include <string>

#include "tools/vprinter/printer/printer.h"

namespace vprinter {

struct ControlHooks {
  std::function<int()> drop;  // drops the host connections, returns how many
  std::function<void()> quit;
  std::function<std::string()> links;  // JSON of the transports, for "state"
  std::function<std::string()> display;  // the customer display's JSON; empty: there is none
};

class Control {
 public:
  Control(Printer& printer, ControlHooks hooks) : printer_(printer), hooks_(std::move(hooks)) {}
  // Runs one line (without its newline) and returns the reply line.
  std::string execute(const std::string& line);

 private:
  std::string device(const std::string& verb, const std::string& arg, const std::string& extra);
  std::string state();

  Printer& printer_;
  ControlHooks hooks_;
};

}  // namespace vprinter
