#include <termios.h>

#include "portmgr/posix/fd_transport.h"

namespace portmgr {
namespace posix {

namespace {

struct BaudEntry {
  int rate;
  speed_t speed;
};

const BaudEntry kBauds[] = {
    {110, B110},     {300, B300},       {600, B600},       {1200, B1200},     {2400, B2400},
    {4800, B4800},   {9600, B9600},     {19200, B19200},   {38400, B38400},   {57600, B57600},
    {115200, B115200}, {230400, B230400},
};

const tcflag_t kDataBits[] = {CS5, CS6, CS7, CS8};  // 5..8

bool SpeedFor(int rate, speed_t* out) {
  for (const BaudEntry& e : kBauds) {
    if (e.rate == rate) {
      *out = e.speed;
      return true;
    }
  }
  return false;
}

}  // namespace

// Raw 8-bit line; 1.5 stop bits become two (termios has no 1.5); DTR/DSR
// flow has no termios form and runs without flow control.
bool ConfigureTty(int fd, const LinkConfig& c) {
  speed_t speed;
  if (!SpeedFor(c.baudRate, &speed) || c.dataBits < 5 || c.dataBits > 8) return false;
  termios t{};
  if (tcgetattr(fd, &t) != 0) return false;
  cfmakeraw(&t);
  t.c_cflag &= ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS);
  t.c_cflag |= CLOCAL | CREAD | kDataBits[c.dataBits - 5];
  if (c.parity == 1) t.c_cflag |= PARENB;
  if (c.parity == 2) t.c_cflag |= PARENB | PARODD;
  if (c.stopBits != 0) t.c_cflag |= CSTOPB;
  t.c_iflag &= ~(IXON | IXOFF | IXANY);
  if (c.flow == 1) t.c_iflag |= IXON | IXOFF;
  if (c.flow == 2) t.c_cflag |= CRTSCTS;
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  if (cfsetispeed(&t, speed) != 0 || cfsetospeed(&t, speed) != 0) return false;
  if (tcsetattr(fd, TCSANOW, &t) != 0) return false;
  tcflush(fd, TCIOFLUSH);
  return true;
}

}  // namespace posix
}  // namespace portmgr
