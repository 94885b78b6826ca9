// The monitor thread of an open port: polls the automatic status every
// 80 ms and the power state, and hands both to the port's users.
#include "service/port/port_manager.h"

#include <chrono>

namespace {
const uint8_t kEnableStatusBack[] = {0x1D, 0x61, 0x0F};  // GS a 15
const uint8_t kEnableInkStatus[] = {0x1D, 0x6A, 0xFF};   // GS j 255
const int32_t kPowerOnline = 2001;
const int32_t kPowerOffline = 2003;
const int32_t kDrawerOffline = 8;
const int32_t kInkStatusType = 3;

bool IsInkStatus(const uint8_t status[4]) { return status[0] == 0x35 && status[3] == 0; }

int32_t LittleEndian(const uint8_t status[4]) {
  return static_cast<int32_t>(static_cast<uint32_t>(status[0]) | static_cast<uint32_t>(status[1]) << 8 |
                              static_cast<uint32_t>(status[2]) << 16 | static_cast<uint32_t>(status[3]) << 24);
}

bool IsLocalLine(const std::string& portName) {
  return portName.compare(0, 3, "COM") == 0 || portName.compare(0, 3, "LPT") == 0;
}
}  // namespace

void CPortManager::MonitorThread() {
  int32_t lastPower = -5;  // the first poll always counts as a change
  for (;;) {
    int waitMs = kIdleMs;
    if (openMask_ != 0) {
      if (stopFlag_) break;
      waitMs = kPollMs;
      PollStatus();
      PollPower(&lastPower);
    }
    if (WaitStop(waitMs)) break;
  }
  monitorRunning_ = false;
  {
    std::lock_guard<std::mutex> lock(stopMutex_);
    monitorEnded_ = true;
  }
  stopCv_.notify_all();
}

bool CPortManager::WaitStop(int milliseconds) {
  std::unique_lock<std::mutex> lock(stopMutex_);
  return stopCv_.wait_for(lock, std::chrono::milliseconds(milliseconds), [this] { return stopSignalled_; });
}

void CPortManager::PollStatus() {
  uint8_t status[4] = {0, 0, 0, 0};
  if (lib_.GetASBState(status, handle_) == 0) return;
  std::lock_guard<std::mutex> lock(usersMutex_);
  if (IsInkStatus(status)) {
    if (printer_) printer_->OnCartridgeStatus(status);
    return;
  }
  if (printer_) printer_->OnPrinterStatus(status);
  if (drawer_) drawer_->OnDrawerStatus(LittleEndian(status));
}

void CPortManager::PollPower(int32_t* lastPower) {
  const int32_t power = lib_.IsPowerState(handle_);
  if (power == *lastPower) return;
  *lastPower = power;
  ReportPowerChange(power);
}

// Called on the monitor thread only. The writes take no port lock. A port
// that only a line display has open gets no printer command: the display
// would show it.
void CPortManager::ReportPowerChange(int32_t power) {
  {
    std::lock_guard<std::mutex> lock(usersMutex_);
    if (display_) display_->OnDisplayPower(power == kPowerOnline ? kPowerOnline : kPowerOffline);
  }
  if (openMask_ == PORT_USER_DISPLAY) return;
  if (power == kPowerOnline) {
    Write(kEnableStatusBack, sizeof kEnableStatusBack);
    std::lock_guard<std::mutex> lock(usersMutex_);
    if (!printer_) return;
    if (printer_->PrinterType() == kInkStatusType) Write(kEnableInkStatus, sizeof kEnableInkStatus);
    if (!IsLocalLine(portName_)) printer_->OnPowerState(kPowerOnline);
    return;
  }
  std::lock_guard<std::mutex> lock(usersMutex_);
  if (printer_) printer_->OnPowerState(kPowerOffline);
  if (drawer_) drawer_->OnDrawerStatus(kDrawerOffline);
}
