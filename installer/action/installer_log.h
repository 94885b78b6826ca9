// Lines of the package's custom actions in the installer log, each behind a
// prefix that names the action ("devsetup import: ...").
#pragma once

#include <windows.h>
#include <msi.h>

#include <string>

namespace installer {

void LogLine(MSIHANDLE install, const std::string& prefix, const std::string& line);

// A property of the running installation ("CustomActionData" in a deferred
// action); empty when it is not set.
std::string Property(MSIHANDLE install, const char* name);

}  // namespace installer
