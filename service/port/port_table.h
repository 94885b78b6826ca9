// The module-wide port table: printer and drawer wired to one printer share
// one CPortManager. Changed from the Service Objects' OpenService, Close,
// ClaimDevice and ReleaseDevice calls; a table lock makes calls from
// different Control Object threads safe.
#pragma once

#include <cstdint>
#include <string>

#include "service/port/port_manager.h"

// A port that is not reached over the network has no TCP port.
constexpr int32_t kNoTcpPort = -1;

struct PortEntry {
  CPortManager* manager = nullptr;  // owned by the table
  std::string portName;
  int32_t tcpPort = kNoTcpPort;
  uint8_t userMask = 0;
  // The handle CreatePort gave each user (printer, drawer, display); the
  // manager uses the latest one. An entry is found by any of them.
  int32_t userHandle[3] = {0, 0, 0};
  // Each user's device, and how many Service Objects of that device hold
  // the port (Control Objects of one application may open a device twice;
  // their claim decides which one uses it).
  std::string userDevice[3];
  int userHolders[3] = {0, 0, 0};
  PortEntry* next = nullptr;
};

// Handle from CreatePort, 0 on failure (library missing, user already
// holds the port for another device, CreatePort failed, user not 1, 2 or
// 4). A further hold of the same device gets the same handle without a new
// CreatePort. A failure leaves the table as it was.
int32_t AcquirePort(const std::string& deviceKey, const std::string& portName, uint8_t user);
// A network port is one address and TCP port: a printer and the drawer
// wired to it share it, a display on another TCP port of the same address
// does not. The library is asked for "address:port", so it keeps the two
// apart as well.
int32_t AcquirePort(const std::string& deviceKey, const std::string& address, int32_t tcpPort, uint8_t user);
// True when an entry with that handle was found and the user held it; only
// users 1, 2 and 4. The last hold of a user that still has the port open
// closes it first; earlier ones only count down.
bool ReleasePort(uint8_t user, int32_t handle);
// The entry whose manager (or one of its users) holds the handle, or null.
// The entry lives until its last user releases it.
PortEntry* FindPort(int32_t handle);

// Tests: the table entries bind this instead of loading "mngdir"; null
// restores the normal binding.
void SetPortLibraryForTesting(const PortLibrary* table);
