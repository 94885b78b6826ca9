// The claim stand-in: an flock'ed file per name. The file holds a mark
// while claimed and is emptied on release, so a claimant that finds a mark
// took the lock from a holder that died.
#include "platform/device_claim.h"

#include <errno.h>
#include <fcntl.h>
#include <stdlib.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>

namespace platform {

namespace {

constexpr char kMark[] = "held\n";
constexpr auto kPollStep = std::chrono::milliseconds(10);

std::string ClaimFolder() {
  const char* tmp = getenv("TMPDIR");
  std::string folder = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
  folder += "/tavo-claims-" + std::to_string(static_cast<unsigned long>(getuid()));
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return std::string();
  return folder;
}

bool TryLock(int fd) {
  while (flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

bool LockForever(int fd) {
  while (flock(fd, LOCK_EX) != 0) {
    if (errno != EINTR) return false;
  }
  return true;
}

bool LockWithin(int fd, int32_t timeoutMs) {
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    if (TryLock(fd)) return true;
    const auto now = std::chrono::steady_clock::now();
    if (now >= deadline) return false;
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(kPollStep, deadline - now));
  }
}

}  // namespace

struct CDeviceClaim::Impl {
  int fd = -1;
};

CDeviceClaim::CDeviceClaim() : impl_(new Impl) {}
CDeviceClaim::~CDeviceClaim() { Release(); }

bool CDeviceClaim::Held() const { return impl_->fd >= 0; }

ClaimResult CDeviceClaim::Acquire(const std::string& name, int32_t timeoutMs) {
  if (Held()) return ClaimResult::kTaken;
  const std::string folder = ClaimFolder();
  if (folder.empty() || name.empty() || name.find('/') != std::string::npos) return ClaimResult::kFailed;
  const int fd = open((folder + "/" + name).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  if (fd < 0) return ClaimResult::kFailed;
  const bool locked = timeoutMs == 0 ? TryLock(fd) : timeoutMs < 0 ? LockForever(fd) : LockWithin(fd, timeoutMs);
  if (!locked) {
    close(fd);
    return ClaimResult::kTimedOut;
  }
  char seen = 0;
  const bool abandoned = pread(fd, &seen, 1, 0) == 1;
  if (ftruncate(fd, 0) != 0 ||
      pwrite(fd, kMark, sizeof kMark - 1, 0) != static_cast<ssize_t>(sizeof kMark - 1)) {
    close(fd);  // a claim that cannot be marked would hide its holder's death
    return ClaimResult::kFailed;
  }
  impl_->fd = fd;
  return abandoned ? ClaimResult::kTakenFromDeadHolder : ClaimResult::kTaken;
}

void CDeviceClaim::Release() {
  if (impl_->fd < 0) return;
  if (ftruncate(impl_->fd, 0) != 0) {
    // The mark stays: the next claimant re-initialises the device, which
    // is harmless.
  }
  flock(impl_->fd, LOCK_UN);
  close(impl_->fd);
  impl_->fd = -1;
}

}  // namespace platform
