// The property indices that take part in writes (published OPOS values).
#pragma once

#include <cstdint>

namespace pidx {

enum : int32_t {
  DeviceEnabled = 3,
  FreezeEvents = 4,
  BinaryConversion = 11,
  PowerNotify = 13,
  AsyncMode = 8001,
  CharacterSet = 8002,
  FlagWhenIdle = 8005,
  MapMode = 8013,
  RecLetterQuality = 8015,
  RecLineChars = 8016,
  RecLineHeight = 8017,
  RecLineSpacing = 8018,
  RotateSpecial = 8036,
  CartridgeNotify = 8037,
  RecCurrentCartridge = 8041,
  MapCharacterSet = 8045,
  PageModeHorizontalPosition = 8047,
  PageModePrintDirection = 8048,
  PageModeStation = 8049,
  PageModeVerticalPosition = 8050,
  PageModePrintArea = 1008012,
};

}  // namespace pidx
