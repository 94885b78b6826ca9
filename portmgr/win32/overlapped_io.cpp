#include "portmgr/win32/overlapped_io.h"

namespace portmgr {
namespace win32 {

namespace {

// Errors that mean "this device does not do that", not "the device is gone".
bool IsUnsupported(DWORD error) {
  return error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED || error == ERROR_INVALID_PARAMETER;
}

IoResult Finish(HANDLE h, OVERLAPPED* ov, BOOL started, int waitMs, DWORD* count) {
  if (!started) {
    const DWORD error = GetLastError();
    if (error == ERROR_HANDLE_EOF) return IoResult::Done;
    if (error != ERROR_IO_PENDING) return IsUnsupported(error) ? IoResult::Unsupported : IoResult::Broken;
    if (WaitForSingleObject(ov->hEvent, DWORD(waitMs < 0 ? 0 : waitMs)) != WAIT_OBJECT_0) CancelIo(h);
  }
  if (GetOverlappedResult(h, ov, count, TRUE)) return IoResult::Done;
  const DWORD error = GetLastError();
  // A serial request that ran into its COMMTIMEOUTS is done with what it
  // moved: Windows completes it as a success, Wine with ERROR_TIMEOUT.
  if (error == ERROR_OPERATION_ABORTED || error == ERROR_HANDLE_EOF || error == ERROR_TIMEOUT) return IoResult::Done;
  return IsUnsupported(error) ? IoResult::Unsupported : IoResult::Broken;
}

}  // namespace

IoResult OverlappedRead(HANDLE h, HANDLE event, void* buffer, DWORD length, int waitMs, DWORD* count) {
  *count = 0;
  OVERLAPPED ov{};
  ov.hEvent = event;
  ResetEvent(event);
  const BOOL started = ReadFile(h, buffer, length, nullptr, &ov);
  return Finish(h, &ov, started, waitMs, count);
}

IoResult OverlappedWrite(HANDLE h, HANDLE event, const void* data, DWORD length, int waitMs, bool append,
                         DWORD* count) {
  *count = 0;
  OVERLAPPED ov{};
  ov.hEvent = event;
  if (append) ov.Offset = ov.OffsetHigh = 0xFFFFFFFF;
  ResetEvent(event);
  const BOOL started = WriteFile(h, data, length, nullptr, &ov);
  return Finish(h, &ov, started, waitMs, count);
}

void CloseIfOpen(HANDLE* h) {
  if (*h != INVALID_HANDLE_VALUE) CloseHandle(*h);
  *h = INVALID_HANDLE_VALUE;
}

}  // namespace win32
}  // namespace portmgr
