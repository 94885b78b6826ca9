// Under Wine the virtual printer is a Linux program: run-rig.sh starts it
// before this program and hands over where it listens in the environment.
#include <cstdlib>
#include <string>

#include "tests/rig/rig_printer.h"

namespace rig {
namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

struct Handover {
  PrinterEndpoints endpoints;
  bool complete = false;
  Handover() {
    endpoints.dataPort = std::atoi(Variable("RIG_DATA_PORT").c_str());
    endpoints.controlPort = std::atoi(Variable("RIG_CONTROL_PORT").c_str());
    endpoints.outDir = Variable("RIG_OUT");
    endpoints.serialName = Variable("RIG_SERIAL");
    complete = endpoints.dataPort > 0 && endpoints.controlPort > 0 && !endpoints.outDir.empty();
  }
};

const Handover& Given() {
  static const Handover handover;
  return handover;
}

}  // namespace

const PrinterEndpoints* Printer() { return Given().complete ? &Given().endpoints : nullptr; }

const std::string& PrinterProblem() {
  static const std::string problem =
      "no virtual printer handed over (RIG_DATA_PORT, RIG_CONTROL_PORT, RIG_OUT): run this program through run-rig.sh";
  return problem;
}

}  // namespace rig
