// Private profile ("INI") file access with Windows' semantics. Paths are
// the Windows form, "folder\file"; the posix side maps them to real files.
// Files are read at the moment of use and never cached.
#pragma once

#include <cstdint>
#include <string>

// At most 254 characters of the value (the 255-character buffer rule);
// defaultValue when the file, section or key is missing.
std::string ReadProfileString(const std::string& path, const std::string& section, const std::string& key,
                              const std::string& defaultValue = "");
// Decimal value; defaultValue when the key is missing; a value that does not
// begin with a digit reads as 0.
int32_t ReadProfileInt(const std::string& path, const std::string& section, const std::string& key,
                       int32_t defaultValue);
// Replaces or appends the key, creating section and file when missing.
bool WriteProfileString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value);
