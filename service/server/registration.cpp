#include "service/server/registration.h"

#include <olectl.h>

#include "service/server/class_table.h"

namespace server {
namespace {

const wchar_t kThreadingModel[] = L"Apartment";

// Creates HKCR\<path> and sets one string value (nullptr name: the default).
bool WriteString(const std::wstring& path, const wchar_t* name, const std::wstring& value) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return false;
  }
  DWORD bytes = static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t));
  LONG rc = RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()), bytes);
  RegCloseKey(key);
  return rc == ERROR_SUCCESS;
}

// Removes HKCR\<path> with everything below it.
bool DeleteTree(const std::wstring& path) {
  LONG rc = RegDeleteTreeW(HKEY_CLASSES_ROOT, path.c_str());
  return rc == ERROR_SUCCESS || rc == ERROR_FILE_NOT_FOUND;
}

bool RegisterClass(const ServerClass& row, const std::wstring& modulePath) {
  const std::wstring progId = row.progId;
  const std::wstring clsid = GuidString(*row.clsid);
  const std::wstring clsidKey = L"CLSID\\" + clsid;
  return WriteString(progId, nullptr, progId) && WriteString(progId + L"\\CLSID", nullptr, clsid) &&
         WriteString(clsidKey, nullptr, progId) && WriteString(clsidKey + L"\\ProgID", nullptr, progId) &&
         WriteString(clsidKey + L"\\InprocServer32", nullptr, modulePath) &&
         WriteString(clsidKey + L"\\InprocServer32", L"ThreadingModel", kThreadingModel);
}

bool UnregisterClass(const ServerClass& row) {
  bool progIdGone = DeleteTree(row.progId);
  bool clsidGone = DeleteTree(L"CLSID\\" + GuidString(*row.clsid));
  return progIdGone && clsidGone;
}

}  // namespace

std::wstring GuidString(REFGUID guid) {
  wchar_t text[40] = {};
  int n = StringFromGUID2(guid, text, 40);
  return n > 0 ? std::wstring(text, static_cast<size_t>(n - 1)) : std::wstring();
}

HRESULT RegisterServerClasses(const std::wstring& modulePath) {
  if (modulePath.empty()) return SELFREG_E_CLASS;
  size_t count = 0;
  const ServerClass* rows = ServerClasses(&count);
  for (size_t i = 0; i < count; ++i) {
    if (!rows[i].factory) continue;
    if (!RegisterClass(rows[i], modulePath)) {
      UnregisterServerClasses();
      return SELFREG_E_CLASS;
    }
  }
  return S_OK;
}

HRESULT UnregisterServerClasses() {
  size_t count = 0;
  const ServerClass* rows = ServerClasses(&count);
  bool ok = true;
  for (size_t i = 0; i < count; ++i) ok = UnregisterClass(rows[i]) && ok;
  return ok ? S_OK : SELFREG_E_CLASS;
}

}  // namespace server
