// The trace log's folder below the common application data: an inherited
// folder lets a user create files there but not write or roll over one that
// another account (the technician, a service) made first, so Users are
// granted modify rights on it. A failure is logged and does not fail the
// installation: the log only loses lines.
//
// CustomActionData: the folder.
#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <string>

#include "installer/action/folder_access.h"
#include "installer/action/installer_log.h"

namespace {

constexpr char kPrefix[] = "trace folder: ";

// The folder as the installation names it, in UTF-16 (no round trip
// through the code page).
std::wstring Folder(MSIHANDLE install) {
  DWORD size = 0;
  wchar_t none[1] = {};
  if (MsiGetPropertyW(install, L"CustomActionData", none, &size) != ERROR_MORE_DATA) return L"";
  std::wstring value(size + 1, L'\0');
  DWORD got = size + 1;
  if (MsiGetPropertyW(install, L"CustomActionData", &value[0], &got) != ERROR_SUCCESS) return L"";
  value.resize(got);
  return value;
}

// For the installer log, which takes code-page text.
std::string Ansi(const std::wstring& text) {
  const int n = WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                    nullptr);
  std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, text.data(), static_cast<int>(text.size()), &out[0], n, nullptr, nullptr);
  return out;
}

}  // namespace

extern "C" UINT __stdcall OpenTraceFolder(MSIHANDLE install) {
  try {
    const std::wstring folder = Folder(install);
    const std::string error = installer::GrantUsersModify(folder);
    const std::string name = Ansi(folder);
    installer::LogLine(install, kPrefix, error.empty() ? "users may modify " + name : name + ": " + error);
  } catch (...) {
  }
  return ERROR_SUCCESS;
}
