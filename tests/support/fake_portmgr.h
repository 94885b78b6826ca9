// A scripted stand-in for the port-manager library, shared by the tests of
// everything that talks to a port. Its entry points are plain C functions
// (as the real library's are), so the state is process-wide: call Reset()
// at the start of each test. Every member is thread-safe; the entry points
// run on whatever thread calls them (the monitor thread among others).
//
//   FakePortMgr& fake = FakePortMgr::Get();
//   fake.Reset();
//   PortLibrary table = fake.Table();
//   SetPortLibraryForTesting(&table);
#pragma once

#include <array>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "service/port/port_manager.h"

struct FakePortCall {
  std::string name;     // entry point, e.g. "OpenPort"
  int32_t handle = 0;   // the handle argument
  int32_t user = 0;     // CreatePort/DeletePort
  std::string text;     // CreatePort: "deviceKey|portName"; Write: the bytes
};

class FakePortMgr {
 public:
  using Status = std::array<uint8_t, 4>;

  static FakePortMgr& Get();
  // Back to the defaults: every call succeeds, CreatePort gives a new
  // handle per call (1, 2, ...), power reads 2001, nothing scripted.
  void Reset();
  PortLibrary Table() const;

  // Results.
  void SetCreatePortResult(int32_t handle);  // fixed result (0 = failure)
  void SetHandlePerPortName(bool same);      // one handle per port name
  void SetDeviceOptionResult(int32_t result);
  void SetOpenPortResult(int32_t result);
  void SetWriteLimit(int32_t bytes);         // a write gives at most this; -1 = all
  void SetStatusDelayMs(int milliseconds);   // GetASBState blocks this long

  // Scripts, consumed one per call.
  void PushStatus(Status status);            // delivered by GetASBState, in order
  void PushPower(int32_t power);             // IsPowerState; the last value repeats
  void PushReadData(const std::string& bytes);  // handed out by Read
  // Answers each write: what it returns is queued for Read (called with
  // the fake's lock held; it must not call the fake).
  void SetResponder(std::function<std::string(const std::string& written)> responder);

  // Records.
  std::vector<FakePortCall> Calls() const;
  int Count(const std::string& name) const;
  std::string Written() const;               // all written bytes, in order
  std::vector<std::string> Writes() const;   // one string per Write call
  PortSettings LastSettings() const;         // portName points into the fake
  std::string LastSettingsPortName() const;
  size_t PendingStatuses() const;

  // Waits until pred() holds (checked after every entry-point call and
  // every 10 ms); false on time-out.
  bool WaitFor(const std::function<bool()>& pred, int timeoutMs = 3000) const;

  // Entry-point bodies (the C functions forward here).
  int32_t CreatePort(const char* deviceKey, const char* portName, int32_t user);
  int32_t DeletePort(int32_t user, int32_t handle);
  int32_t SetDeviceOption(PortSettings settings, int32_t handle);
  int32_t OpenPort(int32_t handle);
  int32_t ClosePort(int32_t handle);
  int32_t Write(const char* data, int32_t length, int32_t handle);
  int32_t Read(char* buffer, int32_t length, int32_t waitMs, int32_t handle);
  int32_t Clear(int32_t handle);
  int32_t GetASBState(unsigned char* status4, int32_t handle);
  int32_t IsPowerState(int32_t handle);
  int32_t GetInputBufferCount(int32_t handle);

 private:
  FakePortMgr() { Reset(); }
  void Record(FakePortCall call);  // with mutex_ held

  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::vector<FakePortCall> calls_;
  int32_t nextHandle_ = 1;
  bool createFixed_ = false;
  int32_t createResult_ = 0;
  bool handlePerName_ = false;
  std::vector<std::pair<std::string, int32_t>> nameHandles_;
  int32_t setOptionResult_ = 1;
  int32_t openResult_ = 1;
  int32_t writeLimit_ = -1;
  int statusDelayMs_ = 0;
  std::deque<Status> statuses_;
  std::deque<int32_t> powers_;
  int32_t lastPower_ = 2001;
  std::string readData_;
  std::function<std::string(const std::string&)> responder_;
  std::string written_;
  std::vector<std::string> writes_;
  PortSettings settings_{};
  std::string settingsPortName_;
};
