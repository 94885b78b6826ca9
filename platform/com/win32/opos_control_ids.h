// The standard OPOS Control Objects as devsetup hosts them: their class ids
// and the dispatch ids of the members it calls. Shared by the wrappers and
// the test-only stand-in, which must answer to the same numbers.
#pragma once

#include <windows.h>

namespace opos_control {

enum : DISPID {
  kDeviceEnabled = 17,
  kNumberProperty20 = 20,
  kCheckHealth = 31,
  kClaimDevice = 32,
  kClose = 35,
  kOpen = 37,
  kReleaseDevice = 38,
  kTextProperty105 = 105,
  kFlagProperty106 = 106,
};

// {CCB90042-B81E-11D2-AB74-0040054C3719} and its two siblings.
constexpr CLSID kCashDrawerClass = {0xCCB90042, 0xB81E, 0x11D2, {0xAB, 0x74, 0x00, 0x40, 0x05, 0x4C, 0x37, 0x19}};
constexpr CLSID kPOSPrinterClass = {0xCCB90152, 0xB81E, 0x11D2, {0xAB, 0x74, 0x00, 0x40, 0x05, 0x4C, 0x37, 0x19}};
constexpr CLSID kLineDisplayClass = {0xCCB90102, 0xB81E, 0x11D2, {0xAB, 0x74, 0x00, 0x40, 0x05, 0x4C, 0x37, 0x19}};

}  // namespace opos_control
