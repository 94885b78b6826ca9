// What a port's monitor thread reports to the Service Objects that share the
// port. Called on the monitor thread; implementations must only post or
// store, never block on the Control Object's thread.
#pragma once

#include <cstdint>

class IPrinterPortUser {
 public:
  virtual ~IPrinterPortUser() = default;
  virtual void OnPrinterStatus(const uint8_t status[4]) = 0;
  virtual void OnCartridgeStatus(const uint8_t status[4]) = 0;
  virtual void OnPowerState(int32_t state) = 0;
  // The printer command class (registry "type"); 3 adds the ink commands.
  virtual int32_t PrinterType() const = 0;
};

class IDrawerPortUser {
 public:
  virtual ~IDrawerPortUser() = default;
  // status: the four status bytes as one little-endian value, or 8 when the
  // printer went off line.
  virtual void OnDrawerStatus(int32_t status) = 0;
};

// A line display on a port of its own: it has no automatic status, only
// the port's power state.
class IDisplayPortUser {
 public:
  virtual ~IDisplayPortUser() = default;
  virtual void OnDisplayPower(int32_t state) = 0;
};

enum : uint8_t {
  PORT_USER_PRINTER = 1,
  PORT_USER_DRAWER = 2,
  PORT_USER_DISPLAY = 4,
};
