#include "common/profile.h"

#include "platform/profile_file.h"

namespace {
constexpr size_t kValueBufferChars = 255;  // at most 254 characters of a value
}

std::string ReadProfileString(const std::string& path, const std::string& section, const std::string& key,
                              const std::string& defaultValue) {
  return platform::ProfileGetString(path, section, key, defaultValue, kValueBufferChars);
}

int32_t ReadProfileInt(const std::string& path, const std::string& section, const std::string& key,
                       int32_t defaultValue) {
  return platform::ProfileGetInt(path, section, key, defaultValue);
}

bool WriteProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
  return platform::ProfileWriteString(path, section, key, value);
}
