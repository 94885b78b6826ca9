// Small OS helpers: the millisecond tick, sleeping, and the test for the
// Windows 95 family of systems (which changes the parallel port options).
#pragma once

#include <cstdint>
#include <string>

namespace platform {

// Milliseconds since some fixed point; wraps after about 49.7 days.
uint32_t TickCount();
void SleepMs(uint32_t milliseconds);
// Sounds a tone of the given frequency (Hz) for durationMs and returns when
// it has ended. Without a speaker service (POSIX) it only waits.
void Beep(uint32_t frequency, uint32_t durationMs);

// The family test on a GetVersion word: top bit set and major version (low
// byte) at least 4; or top bit set and bits 16..30 all clear; or top bit
// clear and the high 16 bits clear.
constexpr bool IsWindows95FamilyVersion(uint32_t versionWord) {
  const bool topBit = (versionWord & 0x80000000u) != 0;
  const uint32_t major = versionWord & 0xFFu;
  if (topBit && major >= 4) return true;
  if (topBit && (versionWord & 0x7FFF0000u) == 0) return true;
  return !topBit && (versionWord & 0xFFFF0000u) == 0;
}

// The running system's answer; false on NT-based Windows and on POSIX.
bool IsWindows95Family();

// The folder of application data shared by every user (on Windows the
// common application data folder, such as C:\ProgramData), without a
// trailing separator; empty where the system has none (POSIX).
std::string CommonDataFolder();

// Creates the folder and any missing parents ('\\' or '/' separated);
// true when it exists afterwards.
bool MakeFolder(const std::string& path);
// Puts the file `from` in the place of `to` in one step, so that `to` is
// the old file or the new one, never a mix; true on success.
bool MoveFileOver(const std::string& from, const std::string& to);

}  // namespace platform
