// An exclusive claim on a named device, shared by every process of the
// machine: at most one CDeviceClaim, in any process, holds a name at a
// time. When the holding process dies the system gives the claim up, and
// the next claimant is told it took the device from a holder that died.
//
// Windows: a named mutex, in the "Global\" namespace where the account may
// create one, else in the session's "Local\". A mutex belongs to the
// thread that took it, so each held claim has a thread of its own that
// takes the mutex, holds it and gives it back: Acquire and Release may
// then come from different threads, and a thread that ends never abandons
// a claim its process still holds.
// POSIX (the stand-in): flock on a file per name in a folder of the
// temporary directory, which the kernel unlocks when the holder dies; a
// mark written into the file while held tells a later claimant that the
// holder never released.
//
// Ownership: the object owns its hold; destruction releases it.
// Threads: one object is used by one thread at a time; distinct objects,
// in one process or many, contest a name among themselves.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace platform {

enum class ClaimResult {
  kTaken,
  kTakenFromDeadHolder,  // the last holder died holding it
  kTimedOut,
  kFailed,  // the system object could not be made
};

class CDeviceClaim {
 public:
  static constexpr int32_t kForever = -1;

  CDeviceClaim();
  ~CDeviceClaim();
  CDeviceClaim(const CDeviceClaim&) = delete;
  CDeviceClaim& operator=(const CDeviceClaim&) = delete;

  // name: from DeviceClaimName (other names with a path separator fail).
  // Tries once (0), waits up to timeoutMs (> 0) or for ever (kForever;
  // other negative values are taken as kForever). Acquiring while held
  // returns kTaken at once.
  ClaimResult Acquire(const std::string& name, int32_t timeoutMs);
  // Gives the claim up; nothing when not held.
  void Release();
  bool Held() const;

  struct Impl;

 private:
  std::unique_ptr<Impl> impl_;
};

// The claim name of a device: its class and its device name, folded to
// lower case (registry key names are case-blind) and escaped to letters,
// digits, '.', '-' and '_' so that every system object accepts it.
std::string DeviceClaimName(const std::string& deviceClass, const std::string& deviceName);

// Tests: a scope mixed into every claim name of this module, so that test
// programs running side by side never contest each other's devices. Set it
// before any claim is taken.
void SetDeviceClaimScopeForTesting(const std::string& scope);

}  // namespace platform
