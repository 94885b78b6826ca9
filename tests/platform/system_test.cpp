// The platform helpers this system relies on for timing and the system
// family test.
#include "platform/system.h"

#include <gtest/gtest.h>

namespace {

TEST(PlatformSystem, Windows95FamilyTestOnVersionWords) {
  using platform::IsWindows95FamilyVersion;
  EXPECT_TRUE(IsWindows95FamilyVersion(0xC0000A04u));   // 95: top bit, major 4
  EXPECT_TRUE(IsWindows95FamilyVersion(0x80000003u));   // top bit, bits 16..30 clear
  EXPECT_FALSE(IsWindows95FamilyVersion(0x80010003u));  // top bit, major 3, a build number
  EXPECT_FALSE(IsWindows95FamilyVersion(0x0A280105u));  // NT: build number in the high word
  EXPECT_TRUE(IsWindows95FamilyVersion(0x00000005u));   // top bit clear, high word clear
  EXPECT_FALSE(platform::IsWindows95Family());          // neither POSIX nor NT-based Windows
}

TEST(PlatformSystem, TickAdvancesWithSleep) {
  const uint32_t start = platform::TickCount();
  platform::SleepMs(30);
  const uint32_t elapsed = platform::TickCount() - start;  // unsigned: survives the wrap
  EXPECT_GE(elapsed, 10u);  // the tick counter may step in 10-16 ms units
  EXPECT_LT(elapsed, 2000u);
}

}  // namespace
