// One port of the library opened the way the Service Objects open it
// (CreatePort, SetDeviceOption, OpenPort), with the reads a test needs;
// closed and deleted with the object. One test thread uses it.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tests/rig/rig_library.h"

namespace rig {

using Status4 = std::array<uint8_t, 4>;

// The settings a network port gets from its device entry: the TCP port in
// the baud-rate field, all option values 0.
PortSettings NetworkSettings(const char* address, int tcpPort);
// A serial port's settings with the option values a printer on a COM
// port is given (2, 0, 50, 10, 1000): RTS/CTS flow, 50 ms reply gap.
PortSettings SerialSettings(const char* name, int baud);

class RigPort {
 public:
  // settings.portName must stay valid while the object lives.
  RigPort(PortLibrary& lib, const PortSettings& settings, int32_t user = 1);
  ~RigPort();
  RigPort(const RigPort&) = delete;
  RigPort& operator=(const RigPort&) = delete;

  // Empty when the port is open, else which step failed.
  const std::string& Problem() const { return problem_; }
  int32_t Handle() const { return handle_; }

  int32_t Write(const std::string& bytes);
  // Reply bytes: up to `length`, waiting up to waitMs for the first.
  std::string Read(int32_t length, int32_t waitMs);
  // The next status block, waiting up to waitMs; false when none came.
  bool NextStatus(Status4* out, int waitMs);
  // Status blocks until `count` have come or waitMs passed.
  std::vector<Status4> Statuses(std::size_t count, int waitMs);
  // Drops the status blocks waiting now and those still on their way
  // (none for quietMs).
  void DrainStatuses(int quietMs = 150);
  int32_t Power() const { return lib_.IsPowerState(handle_); }

 private:
  PortLibrary& lib_;
  int32_t user_;
  int32_t handle_ = 0;
  bool opened_ = false;
  std::string problem_;
};

}  // namespace rig
