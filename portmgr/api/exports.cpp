// The eleven entry points: each finds its port in the library's handle
// table and forwards. Nothing thrown may cross into the caller: any
// exception gives the failure result 0.
#define PORTMGR_DECLARE_EXPORTS
#include "portmgr/portmgr_api.h"

#include <exception>

#include "portmgr/core/handle_table.h"

using portmgr::CHandleTable;
using portmgr::CPort;

namespace {

template <typename F>
int32_t Guarded(F body) {
  try {
    return body();
  } catch (...) {
    return 0;
  }
}

template <typename F>
int32_t OnPort(int32_t handle, F body) {
  return Guarded([&]() -> int32_t {
    std::shared_ptr<CPort> port = CHandleTable::Library().Find(handle);
    return port ? body(*port) : 0;
  });
}

}  // namespace

extern "C" {

int32_t PORTMGR_CALL CreatePort(const char* /*deviceKey*/, const char* portName, int32_t user) {
  return Guarded([&] { return CHandleTable::Library().Create(portName, user); });
}

int32_t PORTMGR_CALL DeletePort(int32_t user, int32_t handle) {
  return Guarded([&] { return int32_t(CHandleTable::Library().Delete(user, handle)); });
}

int32_t PORTMGR_CALL SetDeviceOption(PortSettings settings, int32_t handle) {
  return OnPort(handle, [&](CPort& p) { return int32_t(p.Configure(settings)); });
}

int32_t PORTMGR_CALL OpenPort(int32_t handle) {
  return OnPort(handle, [](CPort& p) { return int32_t(p.Open()); });
}

int32_t PORTMGR_CALL ClosePort(int32_t handle) {
  return OnPort(handle, [](CPort& p) {
    p.Close();
    return int32_t(1);
  });
}

int32_t PORTMGR_CALL Write(const char* data, int32_t length, int32_t handle) {
  return OnPort(handle, [&](CPort& p) { return p.Write(reinterpret_cast<const uint8_t*>(data), length); });
}

int32_t PORTMGR_CALL Read(char* buffer, int32_t length, int32_t waitMs, int32_t handle) {
  return OnPort(handle, [&](CPort& p) { return p.Read(reinterpret_cast<uint8_t*>(buffer), length, waitMs); });
}

int32_t PORTMGR_CALL Clear(int32_t handle) {
  return OnPort(handle, [](CPort& p) {
    p.Clear();
    return int32_t(1);
  });
}

int32_t PORTMGR_CALL GetASBState(unsigned char* status4, int32_t handle) {
  return OnPort(handle, [&](CPort& p) { return int32_t(p.TakeStatus(status4)); });
}

int32_t PORTMGR_CALL IsPowerState(int32_t handle) {
  return OnPort(handle, [](CPort& p) { return p.PowerState(); });
}

int32_t PORTMGR_CALL GetInputBufferCount(int32_t handle) {
  return OnPort(handle, [](CPort& p) { return p.InputCount(); });
}

}  // extern "C"
