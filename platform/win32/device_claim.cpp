// The claim as a named mutex, taken, held and given back by a thread of
// the claim's own (a mutex belongs to the thread that waited for it).
#include "platform/device_claim.h"

#include <windows.h>
#include <sddl.h>

#include <condition_variable>
#include <mutex>
#include <string>
#include <system_error>
#include <thread>

namespace platform {

namespace {

// Any account may wait for and release the claim of a device another
// account made: tills and back-office programs often run as different users.
constexpr wchar_t kShared[] = L"D:(A;;0x001F0001;;;WD)";  // MUTEX_ALL_ACCESS to everyone

std::wstring Wide(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

HANDLE CreateIn(const wchar_t* space, const std::string& name) {
  SECURITY_ATTRIBUTES sa = {sizeof sa, nullptr, FALSE};
  PSECURITY_DESCRIPTOR sd = nullptr;
  if (ConvertStringSecurityDescriptorToSecurityDescriptorW(kShared, SDDL_REVISION_1, &sd, nullptr))
    sa.lpSecurityDescriptor = sd;
  const std::wstring full = std::wstring(space) + Wide(name);
  HANDLE h = CreateMutexW(&sa, FALSE, full.c_str());
  if (h == nullptr && GetLastError() == ERROR_ACCESS_DENIED)
    h = OpenMutexW(SYNCHRONIZE | MUTEX_MODIFY_STATE, FALSE, full.c_str());  // made by someone stricter
  if (sd != nullptr) LocalFree(sd);
  return h;
}

// "Global\" needs the right to create global objects unless the mutex
// exists already; without it the session's namespace is the machine's best.
HANDLE OpenClaimMutex(const std::string& name) {
  if (HANDLE h = CreateIn(L"Global\\", name)) return h;
  return CreateIn(L"Local\\", name);
}

ClaimResult FromWait(DWORD wait) {
  switch (wait) {
    case WAIT_OBJECT_0: return ClaimResult::kTaken;
    case WAIT_ABANDONED: return ClaimResult::kTakenFromDeadHolder;
    case WAIT_TIMEOUT: return ClaimResult::kTimedOut;
    default: return ClaimResult::kFailed;
  }
}

bool IsHeld(ClaimResult r) { return r == ClaimResult::kTaken || r == ClaimResult::kTakenFromDeadHolder; }

}  // namespace

struct CDeviceClaim::Impl {
  std::mutex mutex;
  std::condition_variable changed;
  bool answered = false;
  bool releasing = false;
  ClaimResult result = ClaimResult::kFailed;
  std::thread holder;
  bool held = false;

  void Answer(ClaimResult r) {
    std::lock_guard<std::mutex> lock(mutex);
    result = r;
    answered = true;
    changed.notify_all();
  }

  // The holder thread: takes the mutex, answers, holds it until released.
  void Hold(const std::string& name, int32_t timeoutMs) {
    HANDLE h = OpenClaimMutex(name);
    if (h == nullptr) return Answer(ClaimResult::kFailed);
    const ClaimResult r = FromWait(WaitForSingleObject(h, timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs)));
    Answer(r);
    if (IsHeld(r)) {
      std::unique_lock<std::mutex> lock(mutex);
      changed.wait(lock, [this] { return releasing; });
      ReleaseMutex(h);
    }
    CloseHandle(h);
  }
};

CDeviceClaim::CDeviceClaim() : impl_(new Impl) {}
CDeviceClaim::~CDeviceClaim() { Release(); }

bool CDeviceClaim::Held() const { return impl_->held; }

ClaimResult CDeviceClaim::Acquire(const std::string& name, int32_t timeoutMs) {
  if (impl_->held) return ClaimResult::kTaken;
  if (name.empty() || name.find('\\') != std::string::npos) return ClaimResult::kFailed;
  impl_->answered = false;
  impl_->releasing = false;
  try {
    impl_->holder = std::thread([this, name, timeoutMs] { impl_->Hold(name, timeoutMs); });
  } catch (const std::system_error&) {
    return ClaimResult::kFailed;
  }
  ClaimResult r;
  {
    std::unique_lock<std::mutex> lock(impl_->mutex);
    impl_->changed.wait(lock, [this] { return impl_->answered; });
    r = impl_->result;
  }
  impl_->held = IsHeld(r);
  if (!impl_->held) impl_->holder.join();
  return r;
}

void CDeviceClaim::Release() {
  if (!impl_->held) return;
  {
    std::lock_guard<std::mutex> lock(impl_->mutex);
    impl_->releasing = true;
    impl_->changed.notify_all();
  }
  impl_->holder.join();
  impl_->held = false;
}

}  // namespace platform
