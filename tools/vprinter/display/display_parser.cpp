#include "tools/vprinter/display/display_parser.h"

namespace vprinter {
namespace {

constexpr std::uint8_t ESC = 0x1B, US = 0x1F;
constexpr int kNone = -1;  // a one-byte command

struct Grammar {
  std::uint8_t first;
  int second;  // kNone for one-byte commands
  int params;  // parameter bytes after the command bytes
  DisplayOp op;
  const char* name;
};

// Every command the display knows, by family.
const Grammar kCommands[] = {
    // one-byte cursor and clearing commands
    {0x08, kNone, 0, DisplayOp::Left, "cursor_left"},
    {0x09, kNone, 0, DisplayOp::Right, "cursor_right"},
    {0x0A, kNone, 0, DisplayOp::Down, "cursor_down"},
    {0x0B, kNone, 0, DisplayOp::Home, "home"},
    {0x0C, kNone, 0, DisplayOp::Clear, "clear"},
    {0x0D, kNone, 0, DisplayOp::LineStart, "line_start"},
    {0x18, kNone, 0, DisplayOp::ClearLine, "clear_line"},
    // ESC: set-up, character tables, user-defined characters
    {ESC, '@', 0, DisplayOp::Init, "init"},
    {ESC, '=', 1, DisplayOp::SelectPeripheral, "select_peripheral"},
    {ESC, 't', 1, DisplayOp::CodeTable, "code_table"},
    {ESC, 'R', 1, DisplayOp::International, "international"},
    {ESC, '%', 1, DisplayOp::UserChars, "user_chars"},
    {ESC, '?', 1, DisplayOp::CancelChar, "cancel_char"},
    // US: screen modes, cursor, appearance, time counter, macros
    {US, 0x01, 0, DisplayOp::Overwrite, "overwrite_mode"},
    {US, 0x02, 0, DisplayOp::VerticalScroll, "vertical_scroll_mode"},
    {US, 0x03, 0, DisplayOp::HorizontalScroll, "horizontal_scroll_mode"},
    {US, '$', 2, DisplayOp::MoveTo, "move_cursor"},
    {US, 0x0A, 0, DisplayOp::Up, "cursor_up"},
    {US, 0x0D, 0, DisplayOp::LineEnd, "line_end"},
    {US, 'B', 0, DisplayOp::Bottom, "bottom"},
    {US, 'X', 1, DisplayOp::Brightness, "brightness"},
    {US, 'E', 1, DisplayOp::Blink, "blink"},
    {US, 'C', 1, DisplayOp::CursorShow, "cursor_display"},
    {US, 'r', 1, DisplayOp::Reverse, "reverse"},
    {US, 'T', 2, DisplayOp::SetTime, "set_time"},
    {US, 'U', 0, DisplayOp::ShowTime, "show_time"},
    {US, '@', 0, DisplayOp::SelfTest, "self_test"},
    {US, 'v', 1, DisplayOp::Dtr, "dtr"},
    {US, ':', 0, DisplayOp::MacroDefine, "macro_define"},
    {US, '^', 2, DisplayOp::MacroRun, "macro_run"},
};

// ESC & y c1 c2 [x d1 ... d(y*x)] for each character c1..c2: 5 x 7 dot
// characters (y = 1) in the printable range, at most 5 columns each.
// A header the display would refuse takes its four bytes only.
std::size_t parseDefine(const std::uint8_t* p, std::size_t n, DisplayCommand& out) {
  out.op = DisplayOp::DefineChars;
  out.name = "define_chars";
  if (n < 5) return 0;
  int y = p[2], c1 = p[3], c2 = p[4];
  out.args = {y, c1, c2};
  if (y != 1 || c1 < 0x20 || c2 > 0x7E || c1 > c2) {
    out.note = "bad parameters: header taken alone";
    return 5;
  }
  std::size_t at = 5;
  for (int c = c1; c <= c2; ++c) {
    if (at >= n) return 0;
    int x = p[at];
    if (x > 5) {
      out.note = "character wider than 5 columns: definition ends there";
      return at + 1;
    }
    at += 1 + std::size_t(x) * std::size_t(y);
    if (at > n) return 0;
  }
  return at;
}

bool isText(std::uint8_t b) { return b >= 0x20; }

}  // namespace

std::size_t parseDisplayAt(const std::uint8_t* p, std::size_t n, DisplayCommand& out) {
  if (n == 0) return 0;
  if (isText(p[0])) {
    std::size_t len = 1;
    while (len < n && len < kDisplayTextRun && isText(p[len])) ++len;
    out.op = DisplayOp::Text;
    out.name = "text";
    out.data.assign(reinterpret_cast<const char*>(p), len);
    return len;
  }
  bool prefix = p[0] == ESC || p[0] == US;
  if (prefix && n < 2) return 0;
  if (p[0] == ESC && p[1] == '&') return parseDefine(p, n, out);
  for (const Grammar& g : kCommands) {
    if (g.first != p[0] || (g.second != kNone && (!prefix || g.second != p[1]))) continue;
    std::size_t head = g.second == kNone ? 1 : 2, total = head + std::size_t(g.params);
    if (n < total) return 0;
    out.op = g.op;
    out.name = g.name;
    for (std::size_t i = head; i < total; ++i) out.args.push_back(p[i]);
    return total;
  }
  out.op = DisplayOp::Unknown;
  out.name = "unknown";
  return prefix ? 2 : 1;
}

}  // namespace vprinter
