// Overlapped reads and writes with a time-out, so that the reader thread's
// wait for input never holds up a writer on the same handle. Each caller
// passes its own event: one for the reader thread, one for writers.
#pragma once

#include <windows.h>

#include <cstdint>

namespace portmgr {
namespace win32 {

enum class IoResult { Done, Unsupported, Broken };

// Moves up to length bytes within waitMs; *count gets what moved (a timed
// out request is cancelled and counts what it moved before). `append`
// writes at the end of a disk file.
IoResult OverlappedRead(HANDLE h, HANDLE event, void* buffer, DWORD length, int waitMs, DWORD* count);
IoResult OverlappedWrite(HANDLE h, HANDLE event, const void* data, DWORD length, int waitMs, bool append,
                         DWORD* count);

// Owns a manual-reset event for overlapped requests.
class CIoEvent {
 public:
  CIoEvent() : h_(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}
  ~CIoEvent() {
    if (h_) CloseHandle(h_);
  }
  CIoEvent(const CIoEvent&) = delete;
  CIoEvent& operator=(const CIoEvent&) = delete;
  HANDLE Get() const { return h_; }

 private:
  HANDLE h_;
};

void CloseIfOpen(HANDLE* h);

}  // namespace win32
}  // namespace portmgr
