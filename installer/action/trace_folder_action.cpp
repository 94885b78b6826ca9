// The trace log's folder below the common application data: an inherited
// folder lets a user create files there but not write or roll over one that
// another account (the technician, a service) made first, so Users are
// granted modify rights on it. A failure is logged and does not fail the
// installation: the log only loses lines.
//
// CustomActionData: the folder.
#include <windows.h>
#include <msi.h>

#include <string>

#include "installer/action/folder_access.h"
#include "installer/action/installer_log.h"

namespace {

constexpr char kPrefix[] = "trace folder: ";

std::wstring Wide(const std::string& text) {
  const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring out(static_cast<size_t>(n > 0 ? n : 0), L'\0');
  if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], n);
  return out;
}

}  // namespace

extern "C" UINT __stdcall OpenTraceFolder(MSIHANDLE install) {
  try {
    const std::string folder = installer::Property(install, "CustomActionData");
    const std::string error = installer::GrantUsersModify(Wide(folder));
    installer::LogLine(install, kPrefix, error.empty() ? "users may modify " + folder : folder + ": " + error);
  } catch (...) {
  }
  return ERROR_SUCCESS;
}
