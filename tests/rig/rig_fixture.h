// A test with the shared library bound, the virtual printer reset and one
// port opened to it; the subclass says which port.
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "tests/rig/rig_port.h"
#include "tests/rig/rig_printer.h"

namespace rig {

inline std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s += char(v);
  return s;
}

class LinkFixture : public ::testing::Test {
 protected:
  virtual PortSettings Settings() = 0;

  void SetUp() override {
    lib = SharedLibrary();
    ASSERT_NE(lib, nullptr) << "cannot bind " << RIG_PORTMGR_LIBRARY;
    ASSERT_NE(Printer(), nullptr) << PrinterProblem();
    ASSERT_TRUE(ResetDevice()) << "the virtual printer does not answer on its control port";
    settings = Settings();
    port = std::make_unique<RigPort>(*lib, settings);
    ASSERT_EQ(port->Problem(), "") << "opening " << settings.portName;
  }

  void TearDown() override {
    if (port && port->Problem().empty()) port->Write(Bytes({0x1D, 0x61, 0x00}));  // status back off
    port.reset();
    if (Printer()) ResetDevice();
  }

  // Sends GS a 15 and gives the status block it brings back (zeros and a
  // failure when none comes).
  Status4 EnableStatusBack() {
    Status4 s{};
    if (port->Write(Bytes({0x1D, 0x61, 0x0F})) != 3) ADD_FAILURE() << "GS a 15 not written";
    if (!port->NextStatus(&s, 3000)) ADD_FAILURE() << "no status block after GS a 15";
    return s;
  }

  PortLibrary* lib = nullptr;
  PortSettings settings{};
  std::unique_ptr<RigPort> port;
};

}  // namespace rig
