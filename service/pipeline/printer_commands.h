// The printer's command bytes, each named once and grouped by family. A
// command that takes a parameter is named without it; the caller appends
// the parameter byte(s).
#pragma once

#include <cstdint>
#include <string_view>

namespace cmd {

using namespace std::string_view_literals;

// Control characters.
constexpr char kEsc = '\x1B';
constexpr char kLineFeed = '\x0A';
constexpr char kCarriageReturn = '\x0D';

// Printer selection and justification.
constexpr std::string_view kSelectPrinter = "\x1B\x3D\x01"sv;
constexpr std::string_view kAlignLeft = "\x1B\x61\x00"sv;
constexpr std::string_view kAlignCentre = "\x1B\x61\x01"sv;
constexpr std::string_view kAlignRight = "\x1B\x61\x02"sv;

// Colour: command class 2 selects the character colour, classes 1 and 3 the
// print colour.
constexpr std::string_view kCharacterColour1 = "\x1D\x28\x4E\x02\x00\x30\x31"sv;
constexpr std::string_view kCharacterColour2 = "\x1D\x28\x4E\x02\x00\x30\x32"sv;
constexpr std::string_view kPrintColour1 = "\x1B\x72\x00"sv;
constexpr std::string_view kPrintColour2 = "\x1B\x72\x01"sv;

// Character encoding: UTF-8 on and off (Kanji fonts for East Asian text).
constexpr std::string_view kUtf8On = "\x1C\x28\x43\x02\x00\x30\x01"sv;
constexpr std::string_view kUtf8Off = "\x1C\x28\x43\x02\x00\x30\x00"sv;
// Kanji mode (double-byte codes) on and off; its code system Shift JIS (on
// the Japanese models, whose default may be JIS); its print mode, followed
// by n (KANJI_* bits).
constexpr std::string_view kKanjiOn = "\x1C\x26"sv;
constexpr std::string_view kKanjiOff = "\x1C\x2E"sv;
constexpr std::string_view kKanjiShiftJis = "\x1C\x43\x01"sv;
constexpr std::string_view kKanjiPrintMode = "\x1C\x21"sv;

// Character set and orientation; each is followed by n.
constexpr std::string_view kCodeTable = "\x1B\x74"sv;
constexpr std::string_view kInternationalSet = "\x1B\x52"sv;
constexpr std::string_view kUpsideDown = "\x1B\x7B"sv;

// Character appearance; each is followed by n.
constexpr std::string_view kPrintMode = "\x1B\x21"sv;      // style byte
constexpr std::string_view kUnderline = "\x1B\x2D"sv;      // thickness 1 or 2
constexpr std::string_view kCharacterSize = "\x1D\x21"sv;  // size byte
constexpr std::string_view kReverseOff = "\x1D\x42\x00"sv;
constexpr std::string_view kReverseOn = "\x1D\x42\x01"sv;
constexpr std::string_view kCharacterSizeNormal = "\x1D\x21\x00"sv;

// Paper motion, in half dots; each is followed by n.
constexpr std::string_view kLineSpacing = "\x1B\x33"sv;
constexpr std::string_view kFeedLines = "\x1B\x64"sv;
constexpr std::string_view kFeedHalfDots = "\x1B\x4A"sv;

// Cutting.
constexpr std::string_view kPartialCut = "\x1D\x56\x01"sv;

// Bar codes; each is followed by its parameters. Bar code set-ups start
// with two padding NULs.
constexpr std::string_view kPadding = "\x00\x00"sv;
constexpr std::string_view kAlign = "\x1B\x61"sv;       // n: 0 left, 1 centre, 2 right
constexpr std::string_view kHriPosition = "\x1D\x48"sv; // n: 0 none, 1 above, 2 below
constexpr std::string_view kHriFont = "\x1D\x66"sv;
constexpr std::string_view kBarHeight = "\x1D\x68"sv;
constexpr std::string_view kBarModule = "\x1D\x77"sv;
constexpr std::string_view kBarCode = "\x1D\x6B"sv;     // m L data
constexpr std::string_view kSymbol = "\x1D\x28\x6B"sv;  // pL pH cn fn ...

// Images.
constexpr std::string_view kRasterImage = "\x1D\x76\x30\x00"sv;  // xL xH yL yH rows
constexpr std::string_view kGraphics = "\x1D\x28\x4C"sv;         // pL pH m fn ...
constexpr std::string_view kGraphicsPrint = "\x1D\x28\x4C\x02\x00\x30\x32"sv;
constexpr std::string_view kBitImage8 = "\x1B\x2A\x00"sv;        // nL nH columns
constexpr std::string_view kBitImage24 = "\x1B\x2A\x21"sv;       // nL nH columns of 3 bytes, in the line
constexpr std::string_view kImageLineSpacing = "\x1B\x33\x10"sv; // 8 dots

// Page mode.
constexpr std::string_view kPageMode = "\x1B\x4C"sv;
constexpr std::string_view kPageDirection = "\x1B\x54"sv;  // n: direction - 1
constexpr std::string_view kPagePrintAndLeave = "\x0C\x00\x00"sv;

// Status.
constexpr std::string_view kRealTimeStatusRequest = "\x10\x04\x03"sv;
constexpr std::string_view kAutoStatusBackAll = "\x1D\x61\xFF"sv;

}  // namespace cmd

// Bits of the style byte (parameter of the print mode command).
enum StyleBits : uint8_t {
  STYLE_SMALL_FONT = 0x01,
  STYLE_BOLD = 0x08,
  STYLE_DOUBLE_HEIGHT = 0x10,
  STYLE_DOUBLE_WIDTH = 0x20,
  STYLE_UNDERLINE = 0x80,
};

// Bits of the Kanji print mode: the style byte's double sizes and underline
// reach double-byte characters only through it.
enum KanjiBits : uint8_t {
  KANJI_DOUBLE_WIDTH = 0x04,
  KANJI_DOUBLE_HEIGHT = 0x08,
  KANJI_UNDERLINE = 0x80,
};
