// Helpers for the tests that go through the library's exported entry points.
#pragma once

#define PORTMGR_DECLARE_EXPORTS
#include "portmgr/portmgr_api.h"

#include <chrono>
#include <functional>
#include <string>
#include <thread>

namespace portmgr_test {

inline PortSettings SettingsFor(const char* name, int32_t baudOrTcpPort = 0) {
  PortSettings s{};
  s.portName = name;
  s.baudRate = baudOrTcpPort;
  s.dataBits = 8;
  return s;
}

inline int32_t WriteText(const std::string& s, int32_t handle) {
  return Write(s.data(), int32_t(s.size()), handle);
}

inline std::string ReadText(int32_t handle, int32_t waitMs, int32_t max = 256) {
  char buf[256];
  const int32_t n = Read(buf, max, waitMs, handle);
  return n > 0 ? std::string(buf, size_t(n)) : std::string();
}

inline bool Eventually(const std::function<bool()>& condition, int ms) {
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (!condition()) {
    if (std::chrono::steady_clock::now() > until) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  return true;
}

}  // namespace portmgr_test
