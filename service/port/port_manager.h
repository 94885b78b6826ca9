// One object per physical port: binds the port-manager library, holds the
// port handle, serialises writers and polls the printer's automatic status.
// Printer and cash drawer on one printer share one CPortManager through the
// module-wide port table (port_table.h).
//
// Threads: Open/Close/Bind/Unbind come from the Service Objects' calling
// thread; Write/Read/Lock/Unlock also from the printer's output thread; the
// monitor thread runs while the port is open for any user.
#pragma once

#include <cstdint>
#include <string>

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
