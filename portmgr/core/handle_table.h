// The library's ports by handle. One entry per port name, holding the user
// bits of the callers that created it. All members lock internally and may
// be called from any thread; a port is closed outside the table's lock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "portmgr/core/port.h"

namespace portmgr {

class CHandleTable {
 public:
  static constexpr size_t kMaxPorts = 64;
  static constexpr int32_t kMaxHandle = 0x7FFF;

  explicit CHandleTable(TransportFactory factory);
  ~CHandleTable();  // closes every port still in the table

  // Handle of the port with that name, created when new; adds the user
  // bits (1..255). 0 for a null or empty name, a bad user or a full table.
  int32_t Create(const char* portName, int32_t user);
  // Clears the user bits; the last user gone, the port is closed and its
  // handle becomes invalid. False for an unknown handle or bits not held.
  bool Delete(int32_t user, int32_t handle);
  std::shared_ptr<CPort> Find(int32_t handle) const;
  size_t Count() const;

  // The library's own table, on the OS transports. Never destroyed: ports
  // must be deleted before the library is unloaded.
  static CHandleTable& Library();

 private:
  struct Entry {
    std::shared_ptr<CPort> port;
    uint32_t users = 0;
  };
  int32_t NextHandle();

  const TransportFactory factory_;
  mutable std::mutex mutex_;
  std::map<int32_t, Entry> entries_;
  int32_t next_ = 1;
};

}  // namespace portmgr
