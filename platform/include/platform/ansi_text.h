// Text between the system's 8-bit ANSI code page, in which the registry
// entries and the setup data files are kept, and UTF-8, in which files
// meant for people are written. Windows: the active code page (CP_ACP).
// Elsewhere the stand-in code page is ISO 8859-1.
#pragma once

#include <string>

namespace platform {

// Always succeeds for the stand-in; on Windows false only for text the code
// page does not define.
bool AnsiToUtf8(const std::string& ansi, std::string* utf8);
// False when utf8 is not valid UTF-8 or holds a character the code page
// cannot hold (nothing is replaced by a look-alike).
bool Utf8ToAnsi(const std::string& utf8, std::string* ansi);

}  // namespace platform
