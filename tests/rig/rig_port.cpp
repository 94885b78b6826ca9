#include "tests/rig/rig_port.h"

#include <chrono>
#include <thread>

namespace rig {

PortSettings NetworkSettings(const char* address, int tcpPort) {
  PortSettings s{};
  s.portName = address;
  s.baudRate = tcpPort;
  s.dataBits = 8;
  s.inputBuffer = 8192;
  s.outputBuffer = 8192;
  return s;
}

PortSettings SerialSettings(const char* name, int baud) {
  PortSettings s{};
  s.portName = name;
  s.baudRate = baud;
  s.dataBits = 8;
  const int32_t options[5] = {2, 0, 50, 10, 1000};
  for (int i = 0; i < 5; ++i) s.option[i] = options[i];
  s.inputBuffer = 4096;
  s.outputBuffer = 4096;
  return s;
}

RigPort::RigPort(PortLibrary& lib, const PortSettings& settings, int32_t user) : lib_(lib), user_(user) {
  handle_ = lib_.CreatePort("RigPrinter", settings.portName, user_);
  if (handle_ == 0) {
    problem_ = "CreatePort gave 0";
  } else if (lib_.SetDeviceOption(settings, handle_) == 0) {
    problem_ = "SetDeviceOption gave 0";
  } else if (lib_.OpenPort(handle_) == 0) {
    problem_ = "OpenPort gave 0";
  } else {
    opened_ = true;
  }
}

RigPort::~RigPort() {
  if (opened_) lib_.ClosePort(handle_);
  if (handle_ != 0) lib_.DeletePort(user_, handle_);
}

int32_t RigPort::Write(const std::string& bytes) {
  return lib_.Write(bytes.data(), int32_t(bytes.size()), handle_);
}

std::string RigPort::Read(int32_t length, int32_t waitMs) {
  std::string buffer(std::size_t(length), '\0');
  const int32_t n = lib_.Read(&buffer[0], length, waitMs, handle_);
  buffer.resize(n > 0 ? std::size_t(n) : 0);
  return buffer;
}

bool RigPort::NextStatus(Status4* out, int waitMs) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  for (;;) {
    Status4 s{};  // zeroed as the monitor does before each call
    if (lib_.GetASBState(s.data(), handle_) != 0) {
      *out = s;
      return true;
    }
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

std::vector<Status4> RigPort::Statuses(std::size_t count, int waitMs) {
  std::vector<Status4> got;
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(waitMs);
  Status4 s;
  while (got.size() < count) {
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
    if (left.count() < 0 || !NextStatus(&s, int(left.count()))) break;
    got.push_back(s);
  }
  return got;
}

void RigPort::DrainStatuses(int quietMs) {
  Status4 s;
  while (NextStatus(&s, quietMs)) {
  }
}

}  // namespace rig
