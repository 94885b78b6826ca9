#include "service/common/port_client.h"

#include "service/common/device_entry.h"
#include "service/port/port_table.h"

bool CPortClient::Acquire(const std::string& deviceKey, const DeviceEntry& entry) {
  Release();
  handle_ = AcquirePort(deviceKey, entry.portName, entry.network ? entry.baudRate : kNoTcpPort, user_);
  return handle_ != 0;
}

void CPortClient::Release() {
  if (open_) Close();
  if (handle_ != 0) ReleasePort(user_, handle_);
  handle_ = 0;
}

CPortManager* CPortClient::Manager() const {
  if (handle_ == 0) return nullptr;
  PortEntry* entry = FindPort(handle_);
  return entry ? entry->manager : nullptr;
}

void CPortClient::Attach(CPortManager& port, bool attach) {
  if (user_ == PORT_USER_PRINTER) port.SetPrinterUser(attach ? printerReceiver_ : nullptr);
  if (user_ == PORT_USER_DRAWER) port.SetDrawerUser(attach ? drawerReceiver_ : nullptr);
  if (user_ == PORT_USER_DISPLAY) port.SetDisplayUser(attach ? displayReceiver_ : nullptr);
}

bool CPortClient::Open(const PortSettings& settings, IPrinterPortUser* receiver) {
  printerReceiver_ = receiver;
  drawerReceiver_ = nullptr;
  return OpenPort(settings);
}

bool CPortClient::Open(const PortSettings& settings, IDrawerPortUser* receiver) {
  printerReceiver_ = nullptr;
  drawerReceiver_ = receiver;
  return OpenPort(settings);
}

bool CPortClient::Open(const PortSettings& settings, IDisplayPortUser* receiver) {
  printerReceiver_ = nullptr;
  drawerReceiver_ = nullptr;
  displayReceiver_ = receiver;
  return OpenPort(settings);
}

bool CPortClient::OpenPort(const PortSettings& settings) {
  CPortManager* port = Manager();
  if (port == nullptr) return false;
  Attach(*port, true);
  open_ = port->Open(user_, settings);
  if (!open_) Attach(*port, false);
  return open_;
}

// Only the hold that opened the port detaches: another Service Object of
// the same device may hold it too.
void CPortClient::Close() {
  CPortManager* port = Manager();
  if (port != nullptr && open_) {
    Attach(*port, false);
    port->Close(user_);
  }
  open_ = false;
}

int32_t CPortClient::Write(const uint8_t* bytes, int32_t length) {
  CPortManager* port = Manager();
  if (port == nullptr || !port->Lock(-1)) return 0;
  const int32_t written = port->Write(bytes, length);
  port->Unlock();
  return written;
}

void CPortClient::Clear() {
  if (CPortManager* port = Manager()) port->Clear();
}
