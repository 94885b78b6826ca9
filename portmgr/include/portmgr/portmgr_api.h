/* The port-manager library's entry points, as the Service Objects call them.
 * C calling convention, undecorated names. Every call takes the handle that
 * CreatePort returned; a wrong handle, length or pointer gives a failure
 * result (0), never a crash. The library's own design is documented in
 * portmgr.h; this header is the contract with its callers. */
#ifndef PORTMGR_API_H
#define PORTMGR_API_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Line parameters and buffer sizes, passed by value as twelve 32-bit
 * fields on 32-bit Windows. */
typedef struct PortSettings {
  const char* portName; /* "COMn", "LPTn", a USB device path, or an IPv4 address */
  int32_t baudRate;     /* baud rate, or the TCP port for network ports */
  int32_t dataBits;
  int32_t stopBits;     /* index: 0 = one stop bit */
  int32_t parity;       /* index: 0 none, 1 even, 2 odd */
  int32_t option[5];    /* see portmgr.h */
  int32_t inputBuffer;
  int32_t outputBuffer;
} PortSettings;

#if defined(_WIN32) && !defined(_WIN64)
typedef char portmgr_settings_are_twelve_fields[sizeof(PortSettings) == 48 ? 1 : -1];
#endif

#if defined(_WIN32)
#  ifdef PORTMGR_BUILD
#    define PORTMGR_API __declspec(dllexport)
#  else
#    define PORTMGR_API
#  endif
#  define PORTMGR_CALL __cdecl
#else
#  define PORTMGR_API __attribute__((visibility("default")))
#  define PORTMGR_CALL
#endif

#define PORTMGR_POWER_ONLINE 2001
#define PORTMGR_POWER_OFFLINE 2003

/* Function types, for callers that bind the library at run time. */
typedef int32_t(PORTMGR_CALL* PFN_CreatePort)(const char* deviceKey, const char* portName, int32_t user);
typedef int32_t(PORTMGR_CALL* PFN_DeletePort)(int32_t user, int32_t handle);
typedef int32_t(PORTMGR_CALL* PFN_SetDeviceOption)(PortSettings settings, int32_t handle);
typedef int32_t(PORTMGR_CALL* PFN_OpenPort)(int32_t handle);
typedef int32_t(PORTMGR_CALL* PFN_ClosePort)(int32_t handle);
typedef int32_t(PORTMGR_CALL* PFN_Write)(const char* data, int32_t length, int32_t handle);
typedef int32_t(PORTMGR_CALL* PFN_Read)(char* buffer, int32_t length, int32_t waitMs, int32_t handle);
typedef int32_t(PORTMGR_CALL* PFN_Clear)(int32_t handle);
typedef int32_t(PORTMGR_CALL* PFN_GetASBState)(unsigned char* status4, int32_t handle);
typedef int32_t(PORTMGR_CALL* PFN_IsPowerState)(int32_t handle);
typedef int32_t(PORTMGR_CALL* PFN_GetInputBufferCount)(int32_t handle);

#ifdef PORTMGR_DECLARE_EXPORTS
PORTMGR_API int32_t PORTMGR_CALL CreatePort(const char* deviceKey, const char* portName, int32_t user);
PORTMGR_API int32_t PORTMGR_CALL DeletePort(int32_t user, int32_t handle);
PORTMGR_API int32_t PORTMGR_CALL SetDeviceOption(PortSettings settings, int32_t handle);
PORTMGR_API int32_t PORTMGR_CALL OpenPort(int32_t handle);
PORTMGR_API int32_t PORTMGR_CALL ClosePort(int32_t handle);
PORTMGR_API int32_t PORTMGR_CALL Write(const char* data, int32_t length, int32_t handle);
PORTMGR_API int32_t PORTMGR_CALL Read(char* buffer, int32_t length, int32_t waitMs, int32_t handle);
PORTMGR_API int32_t PORTMGR_CALL Clear(int32_t handle);
PORTMGR_API int32_t PORTMGR_CALL GetASBState(unsigned char* status4, int32_t handle);
PORTMGR_API int32_t PORTMGR_CALL IsPowerState(int32_t handle);
PORTMGR_API int32_t PORTMGR_CALL GetInputBufferCount(int32_t handle);
#endif

#ifdef __cplusplus
}
#endif

#endif
