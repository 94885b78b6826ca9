// Scripted port and printer host for the output path tests.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common/opos.h"
#include "service/printer/output_path.h"

// Records every Write call; accepts up to maxPerWrite bytes per call and up
// to budget bytes in total (-1: no limit); Read gives one reply byte while
// replies remain (-1: always). Writes can be held at a gate.
class FakePort : public IOutputPort {
 public:
  std::atomic<int32_t> maxPerWrite{INT32_MAX};
  std::atomic<int32_t> budget{-1};
  std::atomic<int32_t> replies{-1};

  int32_t Write(const void* data, int32_t length) override {
    std::unique_lock<std::mutex> lock(mutex_);
    if (!lockHeld_) unlockedWrites_++;
    blocked_++;
    writeCv_.notify_all();
    gateCv_.wait(lock, [this] { return gateOpen_; });
    blocked_--;
    int32_t n = std::min(length, maxPerWrite.load());
    if (budget >= 0) {
      n = std::min(n, budget.load());
      budget -= n;
    }
    writes_.emplace_back(static_cast<const char*>(data), static_cast<size_t>(n));
    writeCv_.notify_all();
    return n;
  }
  int32_t Read(void* buffer, int32_t length, int32_t) override {
    std::lock_guard<std::mutex> lock(mutex_);
    reads_++;
    if (length < 1 || replies == 0) return 0;
    if (replies > 0) replies--;
    *static_cast<char*>(buffer) = 0x12;
    return 1;
  }
  // A real lock, as the port's is: writers that take it exclude each other.
  bool Lock(int32_t timeoutMs) override {
    if (timeoutMs < 0) {
      portLock_.lock();
    } else if (!portLock_.try_lock_for(std::chrono::milliseconds(timeoutMs))) {
      return false;
    }
    std::lock_guard<std::mutex> lock(mutex_);
    lockHeld_ = true;
    return true;
  }
  void Unlock() override {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      lockHeld_ = false;
    }
    portLock_.unlock();
  }
  void Clear() override {
    std::lock_guard<std::mutex> lock(mutex_);
    clears_++;
  }

  void Forget() {
    std::lock_guard<std::mutex> lock(mutex_);
    writes_.clear();
  }
  void CloseGate() {
    std::lock_guard<std::mutex> lock(mutex_);
    gateOpen_ = false;
  }
  void OpenGate() {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      gateOpen_ = true;
    }
    gateCv_.notify_all();
  }
  // Waits until at least n Write calls have been made (held ones count).
  bool WaitWrites(size_t n, int ms = 3000) {
    std::unique_lock<std::mutex> lock(mutex_);
    return writeCv_.wait_for(lock, std::chrono::milliseconds(ms), [&] { return writes_.size() + blocked_ >= n; });
  }
  std::vector<std::string> Writes() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return writes_;
  }
  std::string All() const {
    std::string all;
    for (const std::string& w : Writes()) all += w;
    return all;
  }
  int Clears() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return clears_;
  }
  int Reads() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return reads_;
  }
  int UnlockedWrites() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return unlockedWrites_;
  }

 private:
  mutable std::mutex mutex_;
  std::condition_variable gateCv_, writeCv_;
  bool gateOpen_ = true;
  bool lockHeld_ = false;
  std::recursive_timed_mutex portLock_;
  size_t blocked_ = 0;
  std::vector<std::string> writes_;
  int clears_ = 0, reads_ = 0, unlockedWrites_ = 0;
};

struct PostedEvent {
  int type;  // 3 error, 4 output complete, 5 status update
  int32_t value;
  int32_t extended;
  bool operator==(const PostedEvent& o) const {
    return type == o.type && value == o.value && extended == o.extended;
  }
};

inline PostedEvent ErrorEv(int32_t rc, int32_t rce) { return {3, rc, rce}; }
inline PostedEvent DoneEv(int32_t id) { return {4, id, 0}; }
inline PostedEvent StatusEv(int32_t status) { return {5, status, 0}; }

// The printer side: CheckState as the printer does it, a translator that
// copies the data (the prefix is "<P>"), and an event log.
class FakeHost : public IOutputHost {
 public:
  std::atomic<bool> claimed{true}, enabled{true}, async{false}, powerNotify{false};
  std::atomic<int32_t> cartridgeNotify{0}, currentCartridge{1};
  std::atomic<int32_t> state{opos::OPOS_S_IDLE};
  int32_t resultCode = 0, resultCodeExtended = 0;
  int32_t translateResult = 0;
  int rotationResets = 0;
  std::atomic<int> resendMarks{0};
  bool pageMode = false;
  std::vector<std::string> page;

  bool CheckState(int32_t flags) override {
    resultCode = resultCodeExtended = 0;
    if ((flags & 1) && !claimed) resultCode = opos::OPOS_E_NOTCLAIMED;
    else if ((flags & 2) && !enabled) resultCode = opos::OPOS_E_DISABLED;
    else if ((flags & 4) && !async && state != opos::OPOS_S_IDLE) resultCode = opos::OPOS_E_BUSY;
    return resultCode == 0;
  }
  int32_t ResultCode() const override { return resultCode; }
  void SetResultCode(int32_t code) override { resultCode = code; }
  void SetResultCodeExtended(int32_t code) override { resultCodeExtended = code; }
  bool Claimed() const override { return claimed; }
  bool DeviceEnabled() const override { return enabled; }
  bool AsyncMode() const override { return async; }
  bool PowerNotifying() const override { return powerNotify; }
  int32_t CartridgeNotify() const override { return cartridgeNotify; }
  int32_t RecCurrentCartridge() const override { return currentCartridge; }
  void SetState(int32_t s) override {
    std::lock_guard<std::mutex> lock(mutex_);
    state = s;
    states_.push_back(s);
  }
  std::string BuildStatePrefix() override { return "<P>"; }
  int32_t TranslateText(const std::string& data, std::string* out) override {
    *out = data;
    return translateResult;
  }
  void ResetRotation() override { rotationResets++; }
  void MarkResendAll() override { resendMarks++; }
  bool AppendToPage(const std::vector<std::string>& strings, const JobTally&) override {
    if (!pageMode) return false;
    page.insert(page.end(), strings.begin(), strings.end());
    return true;
  }
  void PostStatusUpdate(int32_t status) override { Post({5, status, 0}); }
  void PostOutputComplete(int32_t id) override { Post({4, id, 0}); }
  void PostError(int32_t rc, int32_t rce) override {
    EXPECT_EQ(state.load(), opos::OPOS_S_ERROR) << "Error record posted before State shows the error";
    Post({3, rc, rce});
  }

  bool WaitEvents(size_t n, int ms = 3000) {
    std::unique_lock<std::mutex> lock(mutex_);
    return cv_.wait_for(lock, std::chrono::milliseconds(ms), [&] { return events_.size() >= n; });
  }
  std::vector<PostedEvent> Events() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return events_;
  }
  std::vector<int32_t> States() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return states_;
  }
  bool WaitState(int32_t s, int ms = 3000) {
    auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (state != s) {
      if (std::chrono::steady_clock::now() > until) return false;
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
  }

 private:
  void Post(const PostedEvent& e) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      events_.push_back(e);
    }
    cv_.notify_all();
  }
  mutable std::mutex mutex_;
  std::condition_variable cv_;
  std::vector<PostedEvent> events_;
  std::vector<int32_t> states_;
};

// A configured output path on a fake port with short timings.
struct OutputRig {
  FakeHost host;
  FakePort port;
  COutputPath output{host};

  // sensors: the model reports cover and paper changes as events.
  explicit OutputRig(const std::string& portName = "COM1", int32_t type = 2, bool sensors = true) {
    OutputConfig config;
    config.portName = portName;
    config.outputBuf = 64;
    config.printerType = type;
    config.capCoverSensor = config.capRecEmptySensor = config.capRecNearEndSensor = sensors ? 1 : 0;
    output.Configure(config, &port);
    OutputTimings t;
    t.pauseClass13 = t.pauseClass2 = 0;
    t.confirmLimit = 300;
    t.readWait = 20;
    t.resendClass1 = t.resendOther = 60;
    t.retryDelay = 50;
    output.SetTimings(t);
    output.OnPowerState(opos::OPOS_PS_ONLINE);  // seen on line once, as after enabling
    port.Forget();
  }
  void Status(uint8_t b0, uint8_t b1 = 0, uint8_t b2 = 0, uint8_t b3 = 0) {
    const uint8_t s[4] = {b0, b1, b2, b3};
    output.OnPrinterStatus(s);
  }
};

inline std::string Bytes(std::initializer_list<int> values) {
  std::string s;
  for (int v : values) s.push_back(static_cast<char>(v));
  return s;
}
