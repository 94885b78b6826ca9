// One object per physical port: binds the port-manager library, holds the
// port handle, serialises writers and polls the printer's automatic status.
// Printer and cash drawer on one printer share one CPortManager through the
// module-wide port table (port_table.h).
//
// Threads: Bind/Unbind/Open/Close/SetPrinterUser/SetDrawerUser come from the
// Service Objects' calling threads (the port table serialises Bind/Unbind;
// Open/Close of one port are serialised by openMutex_); Write/Read/Lock/
// Unlock/Clear also come from the printer's output thread; the monitor
// thread runs exactly while the port is open for any user.
//
// Stopping: Close asks the monitor thread to end (stop flag and stop event)
// and waits up to 2000 ms. Nothing is ever terminated forcibly: a monitor
// thread stuck inside a library call past that bound is left to finish its
// call and is joined by the next Open or by the destructor.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "platform/dynlib.h"
#include "portmgr/portmgr_api.h"
#include "service/port/port_lock.h"
#include "service/port/port_users.h"

// The eleven entry points, bound by name from the library.
struct PortLibrary {
  PFN_Write Write = nullptr;
  PFN_Read Read = nullptr;
  PFN_ClosePort ClosePort = nullptr;
  PFN_OpenPort OpenPort = nullptr;
  PFN_Clear Clear = nullptr;
  PFN_SetDeviceOption SetDeviceOption = nullptr;
  PFN_GetInputBufferCount GetInputBufferCount = nullptr;
  PFN_IsPowerState IsPowerState = nullptr;
  PFN_GetASBState GetASBState = nullptr;
  PFN_CreatePort CreatePort = nullptr;
  PFN_DeletePort DeletePort = nullptr;

  bool Complete() const;
};

class CPortManager {
 public:
  // Poll period while open, wait while no user has the port open, and the
  // bound on Close's wait for the monitor thread.
  static constexpr int kPollMs = 80;
  static constexpr int kIdleMs = 500;
  static constexpr int kStopWaitMs = 2000;

  CPortManager();
  ~CPortManager();  // closes for every user and unbinds
  CPortManager(const CPortManager&) = delete;
  CPortManager& operator=(const CPortManager&) = delete;

  // Loads the library named by the registry value "mngdir" and binds all
  // eleven entry points; false (and nothing bound) when any is missing.
  bool Bind();
  // Loads the library at this path (the "mngdir" value) and binds it.
  bool BindPath(const std::string& path);
  // Tests bind a ready-made table instead of a library file; false (and
  // nothing bound) when an entry point is null.
  bool BindTable(const PortLibrary& table);
  // Frees the library and nulls every entry point.
  void Unbind();

  // First opener sets the line options, opens and starts the monitor thread;
  // later users only add their bit.
  bool Open(uint8_t user, const PortSettings& settings);
  // Last closer stops the monitor (within 2000 ms) and closes the port.
  void Close(uint8_t user);

  // 0 when no user has the port open, the entry point is not bound, or the
  // arguments are unusable (null pointer, length below 1).
  int32_t Write(const void* data, int32_t length);
  int32_t Read(void* buffer, int32_t length, int32_t waitMs);
  // Waits up to timeoutMs for the port lock (-1: no limit); true if taken.
  bool Lock(int32_t timeoutMs) { return portLock_.Lock(timeoutMs); }
  void Unlock() { portLock_.Unlock(); }
  void Clear();

  // Users the monitor thread reports to; null detaches. Once a call
  // returns, the monitor makes no further call to the previous user, so it
  // may be destroyed. Must not be called from inside a user callback, nor
  // while holding a lock that the user's callbacks take.
  void SetPrinterUser(IPrinterPortUser* user);
  void SetDrawerUser(IDrawerPortUser* user);
  void SetDisplayUser(IDisplayPortUser* user);

  const PortLibrary& Library() const { return lib_; }
  int32_t Handle() const { return handle_; }
  void SetHandle(int32_t handle) { handle_ = handle; }
  uint8_t OpenMask() const { return openMask_; }
  bool MonitorRunning() const { return monitorRunning_; }
  const std::string& PortName() const { return portName_; }
  void SetPortName(const std::string& name) { portName_ = name; }

 private:
  void MonitorThread();
  void PollStatus();
  void PollPower(int32_t* lastPower);
  void ReportPowerChange(int32_t power);
  bool WaitStop(int milliseconds);  // true when the stop event is signalled
  void JoinMonitor();

  PortLibrary lib_;
  platform::LibraryHandle module_ = nullptr;
  std::atomic<int32_t> handle_{0};
  std::string portName_;  // set before the port is opened, read by the monitor
  CPortLock portLock_;

  std::mutex openMutex_;  // Open/Close
  std::atomic<uint8_t> openMask_{0};

  std::mutex usersMutex_;  // held by the monitor while it calls a user
  IPrinterPortUser* printer_ = nullptr;
  IDrawerPortUser* drawer_ = nullptr;
  IDisplayPortUser* display_ = nullptr;

  std::mutex stopMutex_;
  std::condition_variable stopCv_;
  bool stopSignalled_ = false;  // the monitor stop event, under stopMutex_
  bool monitorEnded_ = true;    // under stopMutex_
  std::atomic<long> stopFlag_{0};
  std::atomic<bool> monitorRunning_{false};
  std::thread monitor_;
};
