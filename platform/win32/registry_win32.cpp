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

// Named explicitly so the view does not depend on who loads us.
std::atomic<REGSAM> g_view{sizeof(void*) == 8 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY};
REGSAM View() { return g_view.load(); }

// The test sandbox: one key per view below it ("32", "64"), since keys
// under HKEY_CURRENT_USER are the same in both views.
std::atomic<HKEY> g_root{nullptr};
std::atomic<HKEY> g_sandboxViews[2] = {nullptr, nullptr};

HKEY Root() {
  if (!g_root.load()) return HKEY_LOCAL_MACHINE;
  return g_sandboxViews[View() == KEY_WOW64_64KEY ? 1 : 0].load();
}

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
  const REGSAM sam = (access == RegAccess::kAll ? KEY_ALL_ACCESS : KEY_READ) | View();
  HKEY key = nullptr;
  long status = RegOpenKeyExA(Root(), path.c_str(), 0, sam, &key);
  if (status == ERROR_SUCCESS) handle_ = key;
  return status;
}

long RegKey::Create(const std::string& path) {
  Close();
  HKEY key = nullptr;
  long status = RegCreateKeyExA(Root(), path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                KEY_ALL_ACCESS | View(), nullptr, &key, nullptr);
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

long RegKey::EnumValue(uint32_t index, std::string* name, uint32_t* type, std::string* data) const {
  if (!handle_) return kRegInvalidHandle;
  std::string nameBuffer(16384, '\0');
  std::string bytes(256, '\0');
  for (;;) {
    DWORD nameChars = static_cast<DWORD>(nameBuffer.size());
    DWORD size = static_cast<DWORD>(bytes.size());
    DWORD t = 0;
    long status = RegEnumValueA(AsKey(handle_), index, &nameBuffer[0], &nameChars, nullptr, &t,
                                reinterpret_cast<BYTE*>(&bytes[0]), &size);
    if (status == ERROR_MORE_DATA && size > bytes.size()) {
      bytes.resize(size);
      continue;
    }
    if (status != ERROR_SUCCESS) return status;
    name->assign(nameBuffer.data(), nameChars);
    *type = t;
    data->assign(bytes.data(), size);
    return status;
  }
}

long RegKey::DeleteSubKey(const std::string& path) {
  if (!handle_) return kRegInvalidHandle;
  if (path.empty()) return kRegInvalidParameter;
  return RegDeleteKeyExA(AsKey(handle_), path.c_str(), View(), 0);
}

void SetRegistryView(RegView view) { g_view.store(view == RegView::k64 ? KEY_WOW64_64KEY : KEY_WOW64_32KEY); }

RegView CurrentRegistryView() { return g_view.load() == KEY_WOW64_64KEY ? RegView::k64 : RegView::k32; }

namespace test_support {
namespace {

char g_sandboxPath[64];

void CloseViews() {
  for (std::atomic<HKEY>& view : g_sandboxViews) {
    if (HKEY key = view.exchange(nullptr)) RegCloseKey(key);
  }
}

void OpenViews(HKEY root) {
  const char* names[2] = {"32", "64"};
  for (int i = 0; i < 2; ++i) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(root, names[i], 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                        nullptr) != ERROR_SUCCESS) {
      std::fprintf(stderr, "registry sandbox could not be created\n");
      std::abort();
    }
    g_sandboxViews[i].store(key);
  }
}

void RemoveSandbox() {
  CloseViews();
  HKEY root = g_root.exchange(nullptr);
  if (!root) return;
  RegCloseKey(root);
  RegDeleteTreeA(HKEY_CURRENT_USER, g_sandboxPath);
}

}  // namespace

void ResetRegistry() {
  SetRegistryView(NativeRegistryView());
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
    OpenViews(root);
    g_root.store(root);
    std::atexit(RemoveSandbox);
    return;
  }
  CloseViews();
  RegDeleteTreeA(root, nullptr);
  OpenViews(root);
}

}  // namespace test_support
}  // namespace platform
