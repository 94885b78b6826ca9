// The rights a folder of the common application data needs so that every
// user's till application can write, roll over and delete the files in it.
#pragma once

#include <windows.h>

#include <string>

namespace installer {

// Adds an inheritable "modify" grant for the local Users group to the
// folder's DACL, keeping the entries it has. Empty on success, else what
// failed and its Win32 error.
std::string GrantUsersModify(const std::wstring& folder);

// The DACL that grant gives: `current` (may be null) with Users' entry
// added, freed with LocalFree; null when `current` already grants it. A
// Win32 error code.
DWORD AddUsersModify(PACL current, PACL* merged);

}  // namespace installer
