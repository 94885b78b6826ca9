// What run-e2e.sh hands the test program, read once from the environment:
// the device entry's name, the virtual printer's control port and the
// Windows path of its output folder. COM (apartment) and Winsock are
// initialised for the test thread by a global environment.
#pragma once

#include <string>

struct E2eSetup {
  std::string device;     // TAVO_E2E_DEVICE
  int controlPort = 0;    // TAVO_E2E_CONTROL_PORT
  std::string outFolder;  // TAVO_E2E_OUT
};

const E2eSetup& Rig();
