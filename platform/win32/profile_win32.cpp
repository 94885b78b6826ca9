// platform/profile_file.h over the Windows private-profile functions.
#include <windows.h>

#include <vector>

#include "platform/profile_file.h"

namespace platform {

std::string ProfileGetString(const std::string& path, const std::string& section, const std::string& key,
                             const std::string& defaultValue, size_t bufferChars) {
  if (bufferChars == 0) return std::string();
  std::vector<char> buffer(bufferChars, '\0');
  const DWORD n = GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                           static_cast<DWORD>(bufferChars), path.c_str());
  return std::string(buffer.data(), n < bufferChars ? n : bufferChars - 1);
}

int32_t ProfileGetInt(const std::string& path, const std::string& section, const std::string& key,
                      int32_t defaultValue) {
  return static_cast<int32_t>(GetPrivateProfileIntA(section.c_str(), key.c_str(), defaultValue, path.c_str()));
}

bool ProfileWriteString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
  return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), path.c_str()) != FALSE;
}

void SetProfileDriveRoot(const std::string&) {}

std::string MapProfilePath(const std::string& path) { return path; }

}  // namespace platform
