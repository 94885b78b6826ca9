// A loadable library with the port-manager entry points, for the binding
// tests. Built twice: complete, and without DeletePort.
#include <cstring>

#define PORTMGR_BUILD
#define PORTMGR_DECLARE_EXPORTS
#include "portmgr/portmgr_api.h"

extern "C" {
PORTMGR_API int32_t PORTMGR_CALL CreatePort(const char*, const char* portName, int32_t user) {
  return portName && std::strcmp(portName, "COM1") == 0 ? 40 + user : 0;
}
#ifndef FAKE_MODULE_WITHOUT_DELETEPORT
PORTMGR_API int32_t PORTMGR_CALL DeletePort(int32_t, int32_t) { return 1; }
#endif
PORTMGR_API int32_t PORTMGR_CALL SetDeviceOption(PortSettings, int32_t) { return 1; }
PORTMGR_API int32_t PORTMGR_CALL OpenPort(int32_t) { return 1; }
PORTMGR_API int32_t PORTMGR_CALL ClosePort(int32_t) { return 1; }
PORTMGR_API int32_t PORTMGR_CALL Write(const char*, int32_t length, int32_t) { return length; }
PORTMGR_API int32_t PORTMGR_CALL Read(char*, int32_t, int32_t, int32_t) { return 0; }
PORTMGR_API int32_t PORTMGR_CALL Clear(int32_t) { return 1; }
PORTMGR_API int32_t PORTMGR_CALL GetASBState(unsigned char*, int32_t) { return 0; }
PORTMGR_API int32_t PORTMGR_CALL IsPowerState(int32_t) { return PORTMGR_POWER_ONLINE; }
PORTMGR_API int32_t PORTMGR_CALL GetInputBufferCount(int32_t) { return 0; }
}
