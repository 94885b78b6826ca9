// Plays the Service Object on a serial port under Wine, where the port is a
// pseudo-terminal whose other end (wine_serial.py) plays the printer.
// Exit code 0 when every step worked; the failing step is printed.
#include <cstdio>
#include <cstring>
#include <windows.h>

#define PORTMGR_DECLARE_EXPORTS
#include "portmgr/portmgr_api.h"

namespace {

int Fail(const char* step, long value) {
  std::printf("serial probe: %s (%ld)\n", step, value);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  const char* name = argc > 1 ? argv[1] : "COM9";
  const int32_t h = CreatePort("Printer1", name, 1);
  if (h == 0) return Fail("CreatePort", 0);
  PortSettings s{};
  s.portName = name;
  s.baudRate = 9600;
  s.dataBits = 8;
  const int32_t options[5] = {2, 0, 50, 10, 1000};
  std::memcpy(s.option, options, sizeof options);
  s.inputBuffer = 1024;
  s.outputBuffer = 10240;
  if (SetDeviceOption(s, h) != 1) return Fail("SetDeviceOption", 0);
  if (OpenPort(h) != 1) return Fail("OpenPort", long(GetLastError()));
  const char job[] = "\x1b@hello\n";
  const int32_t wrote = Write(job, int32_t(sizeof job - 1), h);
  if (wrote != int32_t(sizeof job - 1)) return Fail("Write", wrote);
  char reply = 0;
  const int32_t got = Read(&reply, 1, 5000, h);
  if (got != 1 || reply != 0x12) return Fail("Read", got == 1 ? reply : -got);
  unsigned char status[4] = {};
  int32_t delivered = 0;
  for (int i = 0; i < 300 && !delivered; ++i) {
    delivered = GetASBState(status, h);
    if (!delivered) Sleep(10);
  }
  if (!delivered || status[0] != 0x14) return Fail("GetASBState", status[0]);
  const int32_t power = IsPowerState(h);
  if (power != PORTMGR_POWER_ONLINE) return Fail("IsPowerState", power);
  ClosePort(h);
  DeletePort(1, h);
  std::printf("serial probe: ok\n");
  return 0;
}
