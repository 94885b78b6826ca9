// One object per physical port: binds the port-manager library, holds the
// port handle, serialises writers and polls the printer's automatic status.
// Printer and cash drawer on one printer share one CPortManager through the
// module-wide port table (port_table.h).
//
// Threads: Bind/Unbind/Open/Close/SetPrinterUser/SetDrawerUser come from the
// Service Objects' calling threads (the port table and open mask have no lock
// of their own, as those calls never overlap for one port); Write/Read/Lock/
// Unlock/Clear also come from the printer's output thread; the monitor thread
// runs exactly while the port is open for any user.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>

#include "portmgr/portmgr_api.h"
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
};

class CPortManager {
 public:
  CPortManager();
  ~CPortManager();  // closes for every user and unbinds
  CPortManager(const CPortManager&) = delete;
  CPortManager& operator=(const CPortManager&) = delete;

  // Loads the library named by the registry value "mngdir" and binds all
  // eleven entry points; false (and nothing bound) when any is missing.
  bool Bind();
  // Tests bind a ready-made table instead of a library file.
  void BindTable(const PortLibrary& table);
  void Unbind();

  // First opener sets the line options, opens and starts the monitor thread;
  // later users only add their bit.
  bool Open(uint8_t user, const PortSettings& settings);
  // Last closer stops the monitor (within 2000 ms) and closes the port.
  void Close(uint8_t user);

  // 0 when no user has the port open or the library is not bound.
  int32_t Write(const void* data, int32_t length);
  int32_t Read(void* buffer, int32_t length, int32_t waitMs);
  // Waits up to timeoutMs for the port lock (-1: no limit); true if taken.
  bool Lock(int32_t timeoutMs);
  void Unlock();
  void Clear();

  // Users the monitor thread reports to; null detaches.
  void SetPrinterUser(IPrinterPortUser* user);
  void SetDrawerUser(IDrawerPortUser* user);

  const PortLibrary& Library() const { return lib_; }
  int32_t Handle() const { return handle_; }
  void SetHandle(int32_t handle) { handle_ = handle; }
  uint8_t OpenMask() const { return openMask_; }
  const std::string& PortName() const { return portName_; }
  void SetPortName(const std::string& name) { portName_ = name; }

 private:
  void MonitorThread();
  void MonitorStep(int32_t* lastPower);

  PortLibrary lib_;
  void* module_ = nullptr;  // platform/dynlib handle
  std::atomic<IPrinterPortUser*> printer_{nullptr};
  std::atomic<IDrawerPortUser*> drawer_{nullptr};
  int32_t handle_ = 0;
  std::string portName_;
  std::timed_mutex portLock_;
  std::atomic<uint8_t> openMask_{0};

  std::mutex stopMutex_;
  std::condition_variable stopCv_;
  bool stopSignalled_ = false;  // the monitor stop event, under stopMutex_
  std::atomic<long> stopFlag_{0};
  std::thread monitor_;
};
