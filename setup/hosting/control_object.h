// One hosted OPOS Control Object as devsetup drives it: only the members
// the setup program uses, each reached by its dispatch id on Windows.
// Result codes: 0 is success, anything else failure (a call that could not
// be made at all reports OPOS_E_NOSERVICE). Not thread-safe; used on the
// user-interface thread, where the interactive CheckHealth shows the
// Service Object's own dialog.
#pragma once

#include <cstdint>
#include <string>

class IOposControl {
 public:
  virtual ~IOposControl() = default;
  virtual int32_t Open(const std::string& deviceName) = 0;  // dispatch id 37
  virtual int32_t ClaimDevice(int32_t timeoutMs) = 0;       // 32
  virtual void SetDeviceEnabled(bool enabled) = 0;          // 17, put
  virtual bool DeviceEnabled() = 0;                         // 17, get
  virtual int32_t CheckHealth(int32_t level) = 0;           // 31
  virtual int32_t ReleaseDevice() = 0;                      // 38
  virtual int32_t Close() = 0;                              // 35
  virtual void SetNumberProperty20(int32_t value) = 0;      // 20, put
  virtual std::string TextProperty105() = 0;                // 105, get: failure detail
  virtual void SetFlagProperty106(bool value) = 0;          // 106, put
};
