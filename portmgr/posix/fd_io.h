// Small helpers over a non-blocking file descriptor, shared by the POSIX
// transports. Callable from any thread; they never close the descriptor.
#pragma once

#include <cstdint>

namespace portmgr {
namespace posix {

// Waits for the events (POLLIN/POLLOUT) up to ms; 1 ready, 0 time-out,
// -1 error or hang-up.
int WaitFd(int fd, short events, int ms);
// One write: the count taken, 0 after waiting ms without room, -1 broken.
int32_t SendSome(int fd, const uint8_t* data, int32_t length, int ms, bool socket);
void CloseFd(int* fd);
void SleepMs(int ms);

}  // namespace posix
}  // namespace portmgr
