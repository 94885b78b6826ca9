// The module-wide port table: printer and drawer wired to one printer share
// one CPortManager. Changed only from the Service Objects' OpenService,
// Close, ClaimDevice and ReleaseDevice calls.
#pragma once

#include <cstdint>
#include <string>

#include "service/port/port_manager.h"

struct PortEntry {
  CPortManager* manager = nullptr;  // owned by the table
  std::string portName;
  uint8_t userMask = 0;
  PortEntry* next = nullptr;
};

// Handle from CreatePort, 0 on failure (library missing, user already
// holds the port, CreatePort failed).
int32_t AcquirePort(const std::string& deviceKey, const std::string& portName, uint8_t user);
// True when an entry with that handle was found; only users 1 and 2.
bool ReleasePort(uint8_t user, int32_t handle);
// The entry whose manager holds the handle, or null.
PortEntry* FindPort(int32_t handle);

// Tests: the table entries bind this instead of loading "mngdir"; null
// restores the normal binding.
void SetPortLibraryForTesting(const PortLibrary* table);
