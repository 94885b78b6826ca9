#include "tests/support/fake_portmgr.h"

#include "platform/device_claim.h"

#include <algorithm>
#include <chrono>
#include <cstring>
#include <random>
#include <string>
#include <thread>

namespace {
// Test programs run side by side: each claims its devices in a scope of
// its own, so none waits for another's "Printer1".
const bool g_claimScope = [] {
  std::random_device random;
  const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
  platform::SetDeviceClaimScopeForTesting("t" + std::to_string(random()) + "." + std::to_string(now));
  return true;
}();

FakePortMgr& F() { return FakePortMgr::Get(); }

int32_t PORTMGR_CALL CCreatePort(const char* k, const char* p, int32_t u) { return F().CreatePort(k, p, u); }
int32_t PORTMGR_CALL CDeletePort(int32_t u, int32_t h) { return F().DeletePort(u, h); }
int32_t PORTMGR_CALL CSetDeviceOption(PortSettings s, int32_t h) { return F().SetDeviceOption(s, h); }
int32_t PORTMGR_CALL COpenPort(int32_t h) { return F().OpenPort(h); }
int32_t PORTMGR_CALL CClosePort(int32_t h) { return F().ClosePort(h); }
int32_t PORTMGR_CALL CWrite(const char* d, int32_t n, int32_t h) { return F().Write(d, n, h); }
int32_t PORTMGR_CALL CRead(char* b, int32_t n, int32_t w, int32_t h) { return F().Read(b, n, w, h); }
int32_t PORTMGR_CALL CClear(int32_t h) { return F().Clear(h); }
int32_t PORTMGR_CALL CGetASBState(unsigned char* s, int32_t h) { return F().GetASBState(s, h); }
int32_t PORTMGR_CALL CIsPowerState(int32_t h) { return F().IsPowerState(h); }
int32_t PORTMGR_CALL CGetInputBufferCount(int32_t h) { return F().GetInputBufferCount(h); }
}  // namespace

FakePortMgr& FakePortMgr::Get() {
  static FakePortMgr instance;
  return instance;
}

void FakePortMgr::Reset() {
  std::lock_guard<std::mutex> lock(mutex_);
  calls_.clear();
  nextHandle_ = 1;
  createFixed_ = false;
  createResult_ = 0;
  handlePerName_ = false;
  nameHandles_.clear();
  setOptionResult_ = 1;
  openResult_ = 1;
  writeLimit_ = -1;
  statusDelayMs_ = 0;
  statuses_.clear();
  powers_.clear();
  lastPower_ = 2001;
  readData_.clear();
  responder_ = nullptr;
  written_.clear();
  writes_.clear();
  settings_ = PortSettings{};
  settingsPortName_.clear();
}

PortLibrary FakePortMgr::Table() const {
  PortLibrary t;
  t.Write = CWrite;
  t.Read = CRead;
  t.ClosePort = CClosePort;
  t.OpenPort = COpenPort;
  t.Clear = CClear;
  t.SetDeviceOption = CSetDeviceOption;
  t.GetInputBufferCount = CGetInputBufferCount;
  t.IsPowerState = CIsPowerState;
  t.GetASBState = CGetASBState;
  t.CreatePort = CCreatePort;
  t.DeletePort = CDeletePort;
  return t;
}

#define FAKE_SETTER(name, type, member)          \
  void FakePortMgr::name(type value) {           \
    std::lock_guard<std::mutex> lock(mutex_);    \
    member = value;                              \
  }
FAKE_SETTER(SetHandlePerPortName, bool, handlePerName_)
FAKE_SETTER(SetDeviceOptionResult, int32_t, setOptionResult_)
FAKE_SETTER(SetOpenPortResult, int32_t, openResult_)
FAKE_SETTER(SetWriteLimit, int32_t, writeLimit_)
FAKE_SETTER(SetStatusDelayMs, int, statusDelayMs_)
#undef FAKE_SETTER

void FakePortMgr::SetCreatePortResult(int32_t handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  createFixed_ = true;
  createResult_ = handle;
}

void FakePortMgr::PushStatus(Status status) {
  std::lock_guard<std::mutex> lock(mutex_);
  statuses_.push_back(status);
}

void FakePortMgr::PushPower(int32_t power) {
  std::lock_guard<std::mutex> lock(mutex_);
  powers_.push_back(power);
}

void FakePortMgr::PushReadData(const std::string& bytes) {
  std::lock_guard<std::mutex> lock(mutex_);
  readData_ += bytes;
}

std::vector<FakePortCall> FakePortMgr::Calls() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return calls_;
}

int FakePortMgr::Count(const std::string& name) const {
  std::lock_guard<std::mutex> lock(mutex_);
  return static_cast<int>(
      std::count_if(calls_.begin(), calls_.end(), [&](const FakePortCall& c) { return c.name == name; }));
}

std::string FakePortMgr::Written() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return written_;
}

std::vector<std::string> FakePortMgr::Writes() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return writes_;
}

PortSettings FakePortMgr::LastSettings() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return settings_;
}

std::string FakePortMgr::LastSettingsPortName() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return settingsPortName_;
}

size_t FakePortMgr::PendingStatuses() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return statuses_.size();
}

bool FakePortMgr::WaitFor(const std::function<bool()>& pred, int timeoutMs) const {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!pred()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait_for(lock, std::chrono::milliseconds(10));
  }
  return true;
}

void FakePortMgr::Record(FakePortCall call) {
  calls_.push_back(std::move(call));
  changed_.notify_all();
}

int32_t FakePortMgr::CreatePort(const char* deviceKey, const char* portName, int32_t user) {
  std::lock_guard<std::mutex> lock(mutex_);
  const std::string name = portName ? portName : "";
  int32_t handle = 0;
  if (createFixed_) {
    handle = createResult_;
  } else if (handlePerName_) {
    auto it = std::find_if(nameHandles_.begin(), nameHandles_.end(), [&](const auto& p) { return p.first == name; });
    if (it == nameHandles_.end()) it = nameHandles_.insert(nameHandles_.end(), {name, nextHandle_++});
    handle = it->second;
  } else {
    handle = nextHandle_++;
  }
  Record({"CreatePort", handle, user, std::string(deviceKey ? deviceKey : "") + "|" + name});
  return handle;
}

int32_t FakePortMgr::DeletePort(int32_t user, int32_t handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  Record({"DeletePort", handle, user, {}});
  return 1;
}

int32_t FakePortMgr::SetDeviceOption(PortSettings settings, int32_t handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  settings_ = settings;
  settingsPortName_ = settings.portName ? settings.portName : "";
  settings_.portName = settingsPortName_.c_str();
  Record({"SetDeviceOption", handle, 0, {}});
  return setOptionResult_;
}

int32_t FakePortMgr::OpenPort(int32_t handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  Record({"OpenPort", handle, 0, {}});
  return openResult_;
}

int32_t FakePortMgr::ClosePort(int32_t handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  Record({"ClosePort", handle, 0, {}});
  return 1;
}

void FakePortMgr::SetResponder(std::function<std::string(const std::string& written)> responder) {
  std::lock_guard<std::mutex> lock(mutex_);
  responder_ = std::move(responder);
}

int32_t FakePortMgr::Write(const char* data, int32_t length, int32_t handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  const int32_t taken = writeLimit_ < 0 ? length : std::min(length, writeLimit_);
  const std::string bytes(data, data + taken);
  written_ += bytes;
  writes_.push_back(bytes);
  if (responder_) readData_ += responder_(bytes);
  Record({"Write", handle, 0, bytes});
  return taken;
}

int32_t FakePortMgr::Read(char* buffer, int32_t length, int32_t, int32_t handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  const int32_t n = std::min<int32_t>(length, static_cast<int32_t>(readData_.size()));
  std::memcpy(buffer, readData_.data(), static_cast<size_t>(n));
  readData_.erase(0, static_cast<size_t>(n));
  Record({"Read", handle, 0, std::string(buffer, buffer + n)});
  return n;
}

int32_t FakePortMgr::Clear(int32_t handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  Record({"Clear", handle, 0, {}});
  return 1;
}

int32_t FakePortMgr::GetASBState(unsigned char* status4, int32_t handle) {
  int delay;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    delay = statusDelayMs_;
  }
  if (delay > 0) std::this_thread::sleep_for(std::chrono::milliseconds(delay));
  std::lock_guard<std::mutex> lock(mutex_);
  Record({"GetASBState", handle, 0, {}});
  if (statuses_.empty()) return 0;
  std::memcpy(status4, statuses_.front().data(), 4);
  statuses_.pop_front();
  return 1;
}

int32_t FakePortMgr::IsPowerState(int32_t handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (!powers_.empty()) {
    lastPower_ = powers_.front();
    powers_.pop_front();
  }
  Record({"IsPowerState", handle, 0, {}});
  return lastPower_;
}

int32_t FakePortMgr::GetInputBufferCount(int32_t handle) {
  std::lock_guard<std::mutex> lock(mutex_);
  Record({"GetInputBufferCount", handle, 0, {}});
  return 0;
}
