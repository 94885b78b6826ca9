// platform/registry.h over Reg*, on HKEY_LOCAL_MACHINE's view of this
// build: the 32-bit DLL reads and writes the 32-bit view, the 64-bit DLL the
// 64-bit one, which is where a client of the same width finds its entries.
// Tests may redirect the root into a sandbox key (registry_test_support.h); the
// root is switched only from a test's set-up, before threads start.
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "platform/registry.h"
#include "platform/registry_test_support.h"

namespace platform {
namespace {

std::atomic<HKEY> g_root{nullptr};

HKEY Root() {
  HKEY root = g_root.load();
  return root ? root : HKEY_LOCAL_MACHINE;
}

// Named explicitly so the view does not depend on who loads us.
constexpr REGSAM kNativeView = sizeof(void*) == 8 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY;

HKEY AsKey(void* handle) { return static_cast<HKEY>(handle); }

const char* NameOrNull(const std::string& name) { return name.c_str(); }

}  // namespace

RegKey& RegKey::operator=(RegKey&& other) noexcept {
  if (this != &other) {
    Close();
    handle_ = other.handle_;
    other.handle_ = nullptr;
  }
  return *this;
}

long RegKey::Open(const std::string& path, RegAccess access) {
  Close();
  const REGSAM sam = (access == RegAccess::kAll ? KEY_ALL_ACCESS : KEY_READ) | kNativeView;
  HKEY key = nullptr;
  long status = RegOpenKeyExA(Root(), path.c_str(), 0, sam, &key);
  if (status == ERROR_SUCCESS) handle_ = key;
  return status;
}

long RegKey::Create(const std::string& path) {
  Close();
  HKEY key = nullptr;
  long status = RegCreateKeyExA(Root(), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_ALL_ACCESS | kNativeView, nullptr, &key, nullptr);
  if (status == ERROR_SUCCESS) handle_ = key;
  return status;
}

void RegKey::Close() {
  if (handle_) RegCloseKey(AsKey(handle_));
  handle_ = nullptr;
}

long RegKey::QueryValue(const std::string& name, uint32_t* type, void* data, uint32_t* size) const {
  if (!handle_) return kRegInvalidHandle;
  DWORD t = 0;
  DWORD s = size ? *size : 0;
  long status = RegQueryValueExA(AsKey(handle_), NameOrNull(name), nullptr, &t, static_cast<BYTE*>(data),
                                 size ? &s : nullptr);
  if (type && (status == ERROR_SUCCESS || status == ERROR_MORE_DATA)) *type = t;
  if (size && (status == ERROR_SUCCESS || status == ERROR_MORE_DATA)) *size = s;
  return status;
}

long RegKey::SetValue(const std::string& name, uint32_t type, const void* data, uint32_t size) {
  if (!handle_) return kRegInvalidHandle;
  return RegSetValueExA(AsKey(handle_), NameOrNull(name), 0, type, static_cast<const BYTE*>(data), size);
}

long RegKey::DeleteValue(const std::string& name) {
  if (!handle_) return kRegInvalidHandle;
  return RegDeleteValueA(AsKey(handle_), NameOrNull(name));
}

long RegKey::EnumSubKey(uint32_t index, std::string* name, uint32_t bufferChars) const {
  if (!handle_) return kRegInvalidHandle;
  std::string buffer(bufferChars ? bufferChars : 1, '\0');
  DWORD chars = bufferChars;
  long status = RegEnumKeyExA(AsKey(handle_), index, &buffer[0], &chars, nullptr, nullptr, nullptr, nullptr);
  if (status == ERROR_SUCCESS) name->assign(buffer.data(), chars);
  return status;
}

long RegKey::DeleteSubKey(const std::string& path) {
  if (!handle_) return kRegInvalidHandle;
  if (path.empty()) return kRegInvalidParameter;
  return RegDeleteKeyExA(AsKey(handle_), path.c_str(), kNativeView, 0);
}

namespace test_support {
namespace {

char g_sandboxPath[64];

void RemoveSandbox() {
  HKEY root = g_root.exchange(nullptr);
  if (!root) return;
  RegCloseKey(root);
  RegDeleteTreeA(HKEY_CURRENT_USER, g_sandboxPath);
}

}  // namespace

void ResetRegistry() {
  HKEY root = g_root.load();
  if (!root) {
    std::snprintf(g_sandboxPath, sizeof g_sandboxPath, "Software\\Tavo Test\\%lu",
                  static_cast<unsigned long>(GetCurrentProcessId()));
    RegDeleteTreeA(HKEY_CURRENT_USER, g_sandboxPath);
    if (RegCreateKeyExA(HKEY_CURRENT_USER, g_sandboxPath, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                        nullptr, &root, nullptr) != ERROR_SUCCESS) {
      std::fprintf(stderr, "registry sandbox could not be created\n");
      std::abort();
    }
    g_root.store(root);
    std::atexit(RemoveSandbox);
    return;
  }
  RegDeleteTreeA(root, nullptr);
}

}  // namespace test_support
}  // namespace platform
