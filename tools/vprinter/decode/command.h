// One decoded printer command: what the decoder hands to the printer core.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vprinter {

enum class Op {
  // text and paper motion
  Text, LineFeed, CarriageReturn, FormFeed, Tab, Cancel, Nul,
  FeedUnits, FeedLines, ReverseFeed,
  // printer set-up
  Init, SelectPeripheral, PaperSensorSignal, PaperSensorStop, PanelButtons,
  // character and line style
  Align, PrintMode, Underline, Emphasis, DoubleStrike, Font, CharSize, Reverse,
  PrintColor, CharColor, CodeTable, International, UpsideDown, Rotate90,
  LineSpacing, DefaultLineSpacing, RightSpacing, AbsolutePos, RelativePos,
  LeftMargin, AreaWidth,
  // Kanji mode and the character encoding
  KanjiOn, KanjiOff, KanjiCode, KanjiMode, KanjiUnderline, KanjiSpacing, KanjiQuad,
  KanjiDefine, KanjiCancel, KanjiFont, CharEncoding,
  // cutter
  Cut,
  // bar codes and 2D symbols
  HriPosition, HriFont, BarHeight, BarWidth, BarCode, Symbol2D, SymbolType, SymbolPrint,
  // images
  RasterImage, BitImage, GraphicsStore, GraphicsPrint, NvGraphicsStore,
  NvGraphicsPrint, NvBitImageDefine, NvBitImagePrint,
  // page mode
  PageMode, StandardMode, PageDirection, PageArea, PagePrint,
  // drawer and status
  DrawerKick, AsbEnable, InkAsbEnable,
  // status requests answered in turn with the print data
  PaperStatus, TransmitStatus, PrinterId, MaintenanceCounter,
  // real-time commands (acted on even while the printer is off line)
  RealtimeStatus, RealtimeRecover, RealtimePulse, RealtimeClear, RealtimePowerOff,
  // known commands the renderer leaves alone
  EscG, Other,
  // bytes the decoder does not know, and commands too long to keep
  Unknown, Oversize,
};

struct Command {
  Op op = Op::Unknown;
  const char* name = "unknown";
  std::vector<int> args;  // numeric parameters, in command order
  std::string data;       // payload: text, image or symbol bytes
  std::string raw;        // the command's bytes (payload capped, see kRawKeep)
  std::size_t length = 0; // bytes the command occupied in the stream
  std::string note;       // decoder remark (tolerated fault), empty when none
};

// Longest command kept whole; longer payloads are skipped (Op::Oversize).
constexpr std::size_t kMaxCommand = 8u << 20;

// How many bytes of a command's raw form are kept for the log.
constexpr std::size_t kRawKeep = 48;

}  // namespace vprinter
