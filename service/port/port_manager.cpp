#include "service/port/port_manager.h"

#include <chrono>

bool PortLibrary::Complete() const {
  return Write && Read && ClosePort && OpenPort && Clear && SetDeviceOption && GetInputBufferCount &&
         IsPowerState && GetASBState && CreatePort && DeletePort;
}

CPortManager::CPortManager() = default;

CPortManager::~CPortManager() { Unbind(); }

bool CPortManager::BindTable(const PortLibrary& table) {
  if (!table.Complete()) return false;
  Unbind();
  lib_ = table;
  return true;
}

void CPortManager::Unbind() {
  Close(0xFF);
  JoinMonitor();  // a monitor left inside a library call must leave it first
  platform::FreeDynamicLibrary(module_);
  module_ = nullptr;
  lib_ = PortLibrary();
}

bool CPortManager::Open(uint8_t user, const PortSettings& settings) {
  if (user == 0) return false;
  std::lock_guard<std::mutex> guard(openMutex_);
  if (openMask_ != 0) {
    openMask_ |= user;
    return true;
  }
  if (!lib_.SetDeviceOption || !lib_.OpenPort) return false;
  if (lib_.SetDeviceOption(settings, handle_) == 0) return false;
  if (lib_.OpenPort(handle_) == 0) return false;
  JoinMonitor();
  openMask_ |= user;
  stopFlag_ = 0;
  {
    std::lock_guard<std::mutex> lock(stopMutex_);
    stopSignalled_ = false;
    monitorEnded_ = false;
  }
  monitorRunning_ = true;
  monitor_ = std::thread(&CPortManager::MonitorThread, this);
  return true;
}

void CPortManager::Close(uint8_t user) {
  std::lock_guard<std::mutex> guard(openMutex_);
  if ((openMask_ & user) == 0) return;
  openMask_ &= static_cast<uint8_t>(~user);
  if (openMask_ != 0) return;
  {
    std::lock_guard<std::mutex> lock(stopMutex_);
    stopSignalled_ = true;
  }
  stopCv_.notify_all();
  stopFlag_ = 1;
  bool ended;
  {
    std::unique_lock<std::mutex> lock(stopMutex_);
    ended = stopCv_.wait_for(lock, std::chrono::milliseconds(kStopWaitMs), [this] { return monitorEnded_; });
  }
  if (ended) JoinMonitor();
  if (lib_.ClosePort) lib_.ClosePort(handle_);
}

void CPortManager::JoinMonitor() {
  if (monitor_.joinable()) monitor_.join();
}

int32_t CPortManager::Write(const void* data, int32_t length) {
  if (openMask_ == 0 || !lib_.Write || !data || length < 1) return 0;
  const int32_t written = lib_.Write(static_cast<const char*>(data), length, handle_);
  return written < 0 ? 0 : (written > length ? length : written);
}

int32_t CPortManager::Read(void* buffer, int32_t length, int32_t waitMs) {
  if (openMask_ == 0 || !lib_.Read || !buffer || length < 1) return 0;
  const int32_t got = lib_.Read(static_cast<char*>(buffer), length, waitMs, handle_);
  return got < 0 ? 0 : (got > length ? length : got);
}

void CPortManager::Clear() {
  if (lib_.Clear) lib_.Clear(handle_);
}

void CPortManager::SetPrinterUser(IPrinterPortUser* user) {
  std::lock_guard<std::mutex> lock(usersMutex_);
  printer_ = user;
}

void CPortManager::SetDrawerUser(IDrawerPortUser* user) {
  std::lock_guard<std::mutex> lock(usersMutex_);
  drawer_ = user;
}

void CPortManager::SetDisplayUser(IDisplayPortUser* user) {
  std::lock_guard<std::mutex> lock(usersMutex_);
  display_ = user;
}
