// Private profile ("INI") files as the OS reads and writes them. Windows:
// GetPrivateProfileString/Int and WritePrivateProfileString. Elsewhere: the
// same rules on real files (see profile_posix.cpp): section and key names
// case-insensitive, names and values trimmed, one pair of matching quotes
// around a value stripped, the first matching section and key win, lines
// starting with ';' are comments. Nothing is cached.
//
// Paths are the Windows form. Off Windows they map to files as follows
// (backslashes become '/'; each component also matches case-insensitively):
//   "C:\dir\file"  -> <drive root>/dir/file   (any drive letter)
//   "\dir\file"    -> <drive root>/dir/file
//   "file"         -> <drive root>/file       (Windows looks in its own folder)
//   "/abs\file"    -> /abs/file               (a native path)
//   "dir\file"     -> dir/file, relative to the working folder
// The drive root is "/" until SetProfileDriveRoot changes it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace platform {

// GetPrivateProfileString with a buffer of bufferChars characters: at most
// bufferChars - 1 characters come back; defaultValue (less trailing blanks)
// when the file, section or key is missing. A key present with an empty
// value gives the empty text.
std::string ProfileGetString(const std::string& path, const std::string& section, const std::string& key,
                             const std::string& defaultValue, size_t bufferChars);
// GetPrivateProfileInt: defaultValue when the value is missing or empty;
// otherwise its leading number (decimal, or 0x.. hexadecimal), 0 if none.
int32_t ProfileGetInt(const std::string& path, const std::string& section, const std::string& key,
                      int32_t defaultValue);
// WritePrivateProfileString: replaces the first matching key's value or
// appends the key to the section, creating section and file when missing.
bool ProfileWriteString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value);

// Off Windows: the folder that stands for the drive (see above); tests
// point it at a temporary folder. No effect on Windows. Set before threads.
void SetProfileDriveRoot(const std::string& folder);
// Off Windows: the file a Windows path maps to. On Windows: the path itself.
std::string MapProfilePath(const std::string& path);

}  // namespace platform
