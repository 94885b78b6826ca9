// One Service Object's hold on a shared port object: the handle that
// AcquirePort gave its user bit (1 printer, 2 cash drawer, 4 line display), the manager
// found by that handle, opening and closing for that user, and the status
// receiver the port's monitor thread reports to while the port is open.
//
// Threads: every member on the Service Object's calling thread; Write may
// also come from the printer's output thread (it takes the port lock).
#pragma once

#include <cstdint>
#include <string>

#include "portmgr/portmgr_api.h"
#include "service/port/port_users.h"

class CPortManager;
struct DeviceEntry;

class CPortClient {
 public:
  explicit CPortClient(uint8_t user) : user_(user) {}
  ~CPortClient() { Release(); }
  CPortClient(const CPortClient&) = delete;
  CPortClient& operator=(const CPortClient&) = delete;

  // AcquirePort for this user and the entry's port (a network port by
  // address and TCP port); false (and nothing held) on failure.
  bool Acquire(const std::string& deviceKey, const DeviceEntry& entry);
  // Closes for this user when still open, then ReleasePort. Idempotent.
  void Release();
  bool Held() const { return handle_ != 0; }
  int32_t Handle() const { return handle_; }
  // The shared port object, or null when nothing is held.
  CPortManager* Manager() const;

  // Opens the port for this user. The receiver is attached before the
  // port opens, so the first status poll already reaches it; on failure it
  // is detached again.
  bool Open(const PortSettings& settings, IPrinterPortUser* receiver);
  bool Open(const PortSettings& settings, IDrawerPortUser* receiver);
  bool Open(const PortSettings& settings, IDisplayPortUser* receiver);
  // Detaches the receiver and closes the port for this user.
  void Close();
  bool IsOpen() const { return open_; }

  // Writes under the port lock (waiting without limit); the count written,
  // 0 when nothing is held.
  int32_t Write(const uint8_t* bytes, int32_t length);
  void Clear();

 private:
  bool OpenPort(const PortSettings& settings);
  void Attach(CPortManager& port, bool attach);

  const uint8_t user_;
  int32_t handle_ = 0;
  bool open_ = false;
  IPrinterPortUser* printerReceiver_ = nullptr;
  IDrawerPortUser* drawerReceiver_ = nullptr;
  IDisplayPortUser* displayReceiver_ = nullptr;
};
