// One decoded customer display command: what the display decoder hands to
// the screen.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace vprinter {

enum class DisplayOp {
  Text,
  // set-up
  Init, SelectPeripheral, SelfTest, CodeTable, International, Dtr,
  // clearing and screen modes
  Clear, ClearLine, Overwrite, VerticalScroll, HorizontalScroll,
  // cursor motion
  MoveTo, Left, Right, Down, Up, Home, LineStart, LineEnd, Bottom,
  // appearance
  Brightness, Blink, CursorShow, Reverse,
  // time counter
  SetTime, ShowTime,
  // known commands the screen does not draw
  UserChars, DefineChars, CancelChar, MacroDefine, MacroRun,
  // bytes that start no known command, and a command cut off at the end
  Unknown,
};

struct DisplayCommand {
  DisplayOp op = DisplayOp::Unknown;
  const char* name = "unknown";
  std::vector<int> args;  // numeric parameters, in command order
  std::string data;       // text bytes (DisplayOp::Text)
  std::string raw;        // the command's bytes, capped at kDisplayRawKeep
  std::size_t length = 0; // bytes the command took from the stream
  std::string note;       // decoder remark, empty when none
};

constexpr std::size_t kDisplayRawKeep = 48;
// Text comes out in runs of at most this many bytes.
constexpr std::size_t kDisplayTextRun = 256;

}  // namespace vprinter
