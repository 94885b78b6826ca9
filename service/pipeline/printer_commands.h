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
