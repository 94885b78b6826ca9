// The command bytes of the 2 x 20 / 4 x 20 VFD customer displays, named
// once and grouped by family. Parameters follow each prefix.
#pragma once

#include <cstdint>

namespace display_commands {

// Set-up.
constexpr uint8_t kInitialize[] = {0x1B, 0x40};        // ESC @
constexpr uint8_t kCodeTable[] = {0x1B, 0x74};         // ESC t n
constexpr uint8_t kInternational[] = {0x1B, 0x52};     // ESC R n

// Screen.
constexpr uint8_t kClearScreen = 0x0C;                  // CLR
constexpr uint8_t kClearLine = 0x18;                    // CAN
constexpr uint8_t kOverwriteMode[] = {0x1F, 0x01};     // US 01
constexpr uint8_t kVerticalScrollMode[] = {0x1F, 0x02};    // US 02
constexpr uint8_t kHorizontalScrollMode[] = {0x1F, 0x03};  // US 03

// Cursor moves.
constexpr uint8_t kBackSpace = 0x08;                    // BS
constexpr uint8_t kTab = 0x09;                          // HT: one cell right
constexpr uint8_t kLineFeed = 0x0A;                     // LF
constexpr uint8_t kHome = 0x0B;                         // HOME
constexpr uint8_t kCarriageReturn = 0x0D;               // CR
constexpr uint8_t kCursorPosition[] = {0x1F, 0x24};    // US $ x y, both from 1

// Look.
constexpr uint8_t kBrightness[] = {0x1F, 0x58};        // US X n, 1..4
constexpr uint8_t kBlink[] = {0x1F, 0x45};             // US E n, n x 50 ms; 0 steady
constexpr uint8_t kCursorDisplay[] = {0x1F, 0x43};     // US C n, 0 off, 1 on
constexpr uint8_t kReverse[] = {0x1F, 0x72};           // US r n, 0 off, 1 on

constexpr int kBrightnessLevels = 4;
// The tube's light at levels 1..4, in percent of full.
constexpr int kBrightnessPercent[kBrightnessLevels] = {20, 40, 60, 100};
constexpr int kBlinkUnitMs = 50;
constexpr int kBlinkMaxUnits = 254;
constexpr uint8_t kScreenOff = 255;  // US E 255: dark, the characters kept

}  // namespace display_commands
