#include "service/server/module.h"

#include <atomic>

namespace server {
namespace {

HINSTANCE g_instance = nullptr;
std::atomic<long> g_locks{0};

}  // namespace

void SetModuleInstance(HINSTANCE instance) { g_instance = instance; }
HINSTANCE ModuleInstance() { return g_instance; }

std::wstring ModulePath() {
  // Long paths may exceed MAX_PATH: grow until the name fits.
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    DWORD size = static_cast<DWORD>(path.size());
    DWORD n = GetModuleFileNameW(g_instance, &path[0], size);
    if (n == 0) return {};
    if (n < size) {
      path.resize(n);
      return path;
    }
    if (size >= 32768) return {};
    path.resize(static_cast<size_t>(size) * 2);
  }
}

void LockModule() { ++g_locks; }
void UnlockModule() { --g_locks; }
long ModuleLockCount() { return g_locks.load(); }

}  // namespace server
