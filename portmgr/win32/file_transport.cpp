#include "portmgr/win32/file_transport.h"

namespace portmgr {
namespace win32 {

namespace {

HANDLE OpenPath(const std::string& path, DWORD access) {
  return CreateFileA(path.c_str(), access, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                     FILE_FLAG_OVERLAPPED, nullptr);
}

}  // namespace

bool CFileTransport::Open(int) {
  Close();
  DWORD access = GENERIC_READ | GENERIC_WRITE;
  h_ = OpenPath(config_.path, access);
  if (h_ == INVALID_HANDLE_VALUE && GetLastError() == ERROR_ACCESS_DENIED) {
    access = GENERIC_WRITE;
    h_ = OpenPath(config_.path, access);
  }
  if (h_ == INVALID_HANDLE_VALUE || !readEvent_.Get() || !writeEvent_.Get()) {
    CloseIfOpen(&h_);
    return false;
  }
  disk_ = GetFileType(h_) == FILE_TYPE_DISK;
  readable_ = !disk_ && (access & GENERIC_READ) != 0;
  return true;
}

void CFileTransport::Close() { CloseIfOpen(&h_); }

int32_t CFileTransport::Send(const uint8_t* data, int32_t length, int timeoutMs) {
  if (h_ == INVALID_HANDLE_VALUE) return -1;
  DWORD count = 0;
  const IoResult r = OverlappedWrite(h_, writeEvent_.Get(), data, DWORD(length), timeoutMs, disk_, &count);
  return r == IoResult::Done ? int32_t(count) : -1;
}

int32_t CFileTransport::Receive(uint8_t* buffer, int32_t length, int waitMs) {
  if (h_ == INVALID_HANDLE_VALUE) return -1;
  if (readable_) {
    DWORD count = 0;
    const IoResult r = OverlappedRead(h_, readEvent_.Get(), buffer, DWORD(length), waitMs, &count);
    if (r == IoResult::Broken) return -1;
    if (r == IoResult::Unsupported) readable_ = false;
    if (count > 0) return int32_t(count);
  }
  // Nothing to read now (or ever): do not spin.
  Sleep(DWORD(waitMs > 0 ? waitMs : 0));
  return 0;
}

}  // namespace win32
}  // namespace portmgr
