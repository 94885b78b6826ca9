#include "platform/system.h"

#include <windows.h>
#include <shlobj.h>

namespace platform {

uint32_t TickCount() { return GetTickCount(); }

void SleepMs(uint32_t milliseconds) { Sleep(milliseconds); }

// The system beep service. Windows of the 95 family ignore the arguments
// there; no build of this package targets that family any more.
void Beep(uint32_t frequency, uint32_t durationMs) {
  if (!::Beep(frequency, durationMs)) Sleep(durationMs);
}

bool IsWindows95Family() {
#if defined(__GNUC__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
#endif
  const DWORD version = GetVersion();
#if defined(__GNUC__)
#pragma GCC diagnostic pop
#endif
  return IsWindows95FamilyVersion(version);
}

std::string CommonDataFolder() {
  char path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathA(nullptr, CSIDL_COMMON_APPDATA, nullptr, SHGFP_TYPE_CURRENT, path))) return std::string();
  std::string folder(path);
  while (!folder.empty() && (folder.back() == '\\' || folder.back() == '/')) folder.pop_back();
  return folder;
}

bool MakeFolder(const std::string& path) {
  for (size_t pos = 1; pos <= path.size(); ++pos) {
    if (pos < path.size() && path[pos] != '/' && path[pos] != '\\') continue;
    const std::string part = path.substr(0, pos);
    if (part.size() == 2 && part[1] == ':') continue;  // the drive
    CreateDirectoryA(part.c_str(), nullptr);
  }
  const DWORD attributes = GetFileAttributesA(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool MoveFileOver(const std::string& from, const std::string& to) {
  return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

}  // namespace platform
