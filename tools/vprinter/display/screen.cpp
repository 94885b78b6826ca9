#include "tools/vprinter/display/screen.h"

#include <algorithm>
#include <cstdio>

#include "tools/vprinter/render/font.h"

namespace vprinter {
namespace {

// US X n: the tube's four brightness levels, in percent.
const int kLevelPercent[] = {0, 20, 40, 60, 100};
// US E n: the blink period's unit; 255 switches the screen off.
constexpr int kBlinkUnitMs = 50;
constexpr int kBlinkOff = 255;
constexpr int kIntlSets = 13;
const char kSelfTestTitle[] = "SELF TEST";

// Parameter i of c, 0 when the command came without it.
int arg(const DisplayCommand& c, std::size_t i) { return i < c.args.size() ? c.args[i] : 0; }

}  // namespace

const char* screenModeName(ScreenMode mode) {
  switch (mode) {
    case ScreenMode::VerticalScroll: return "vertical";
    case ScreenMode::HorizontalScroll: return "horizontal";
    default: return "overwrite";
  }
}

Screen::Screen(int rows, int columns)
    : rows_(std::max(1, rows)), columns_(std::max(1, columns)), cells_(std::size_t(rows_) * columns_) {}

void Screen::reset() {
  Screen fresh(rows_, columns_);
  *this = fresh;
}

int Screen::brightness() const { return lit_ ? kLevelPercent[level_] : 0; }

std::string Screen::apply(const DisplayCommand& c) {
  int n = arg(c, 0);
  if (c.op == DisplayOp::SelectPeripheral) {
    selected_ = (n & 2) != 0;  // bit 0 the printer behind the display, bit 1 the display
    return "";
  }
  if (!selected_) return c.op == DisplayOp::Unknown ? "" : "ignored: display deselected";
  if (c.op == DisplayOp::Text) {
    for (unsigned char b : c.data) put(b);
    return "";
  }
  std::string remark = setup(c, n);
  if (remark != "?") return remark;
  remark = motion(c);
  if (remark != "?") return remark;
  remark = look(c, n);
  return remark == "?" ? "" : remark;
}

// Set-up, tables, clearing and modes; "?" when c is none of them.
std::string Screen::setup(const DisplayCommand& c, int n) {
  switch (c.op) {
    case DisplayOp::Init: reset(); return "";
    case DisplayOp::SelfTest: selfTest(); return "";
    case DisplayOp::CodeTable:
      table_ = n;
      return hasCodeTable(n) ? "" : "no such table: shown with table 0";
    case DisplayOp::International:
      if (n >= kIntlSets) return "no such set: ignored";
      intl_ = n;
      return "";
    case DisplayOp::Clear:
      std::fill(cells_.begin(), cells_.end(), Cell{});
      row_ = column_ = 0;
      scrollPending_ = false;
      return "";
    case DisplayOp::ClearLine:
      clearRow(row_);
      column_ = 0;
      scrollPending_ = false;
      return "";
    case DisplayOp::Overwrite: mode_ = ScreenMode::Overwrite; scrollPending_ = false; return "";
    case DisplayOp::VerticalScroll: mode_ = ScreenMode::VerticalScroll; scrollPending_ = false; return "";
    case DisplayOp::HorizontalScroll: mode_ = ScreenMode::HorizontalScroll; scrollPending_ = false; return "";
    case DisplayOp::SetTime:
      if (n > 23 || arg(c, 1) > 59) return "time out of range: ignored";
      hours_ = n;
      minutes_ = arg(c, 1);
      return "";
    case DisplayOp::ShowTime: showTime(); return "";
    case DisplayOp::UserChars: case DisplayOp::DefineChars: case DisplayOp::CancelChar:
      return "user-defined characters are not drawn";
    case DisplayOp::MacroDefine: case DisplayOp::MacroRun: return "macros are not run";
    case DisplayOp::Dtr: case DisplayOp::Unknown: return "";
    default: return "?";
  }
}

// Cursor motion; "?" when c is none of it.
std::string Screen::motion(const DisplayCommand& c) {
  bool pending = scrollPending_;
  scrollPending_ = false;
  switch (c.op) {
    case DisplayOp::MoveTo: {
      int x = arg(c, 0), y = arg(c, 1);
      if (x < 1 || x > columns_ || y < 1 || y > rows_) return "out of range: ignored";
      column_ = x - 1;
      row_ = y - 1;
      return "";
    }
    case DisplayOp::Left:
      if (!pending) back();  // a pending shift leaves the cursor on the last column already
      return "";
    case DisplayOp::Right: scrollPending_ = pending; step(); return "";
    case DisplayOp::Down: down(); return "";
    case DisplayOp::Up: up(); return "";
    case DisplayOp::Home: row_ = column_ = 0; return "";
    case DisplayOp::LineStart: column_ = 0; return "";
    case DisplayOp::LineEnd: column_ = columns_ - 1; return "";
    case DisplayOp::Bottom: row_ = rows_ - 1; column_ = 0; return "";
    default:
      scrollPending_ = pending;
      return "?";
  }
}

// Brightness, blinking, cursor and reverse; "?" when c is none of them.
std::string Screen::look(const DisplayCommand& c, int n) {
  switch (c.op) {
    case DisplayOp::Brightness:
      if (n < 1 || n > 4) return "level out of range: ignored";
      level_ = n;
      return "";
    case DisplayOp::Blink:
      lit_ = n != kBlinkOff;
      blinkMs_ = lit_ ? n * kBlinkUnitMs : 0;
      return "";
    case DisplayOp::CursorShow: cursorShown_ = (n & 1) != 0; return "";
    case DisplayOp::Reverse: reverse_ = (n & 1) != 0; return "";
    default: return "?";
  }
}

void Screen::put(std::uint8_t byte) {
  if (scrollPending_ && mode_ == ScreenMode::HorizontalScroll) {  // the row is full: shift it left
    Cell* row = &at(row_, 0);
    std::rotate(row, row + 1, row + columns_);
  } else if (scrollPending_) {  // the screen is full: move it up
    scrollUp();
    column_ = 0;
  }
  scrollPending_ = false;
  at(row_, column_) = Cell{byte, reverse_, std::uint8_t(table_), std::uint8_t(intl_)};
  step();
}

// One column on, as after a character. Where moving on would shift
// characters off the screen (the end of the row in horizontal mode, of the
// screen in vertical mode) the cursor stays and the next character shifts
// them, so a full row or screen stays whole on display.
void Screen::step() {
  if (column_ + 1 < columns_) {
    ++column_;
  } else if (mode_ == ScreenMode::HorizontalScroll || (mode_ == ScreenMode::VerticalScroll && row_ + 1 == rows_)) {
    scrollPending_ = true;
  } else {
    column_ = 0;
    row_ = row_ + 1 < rows_ ? row_ + 1 : 0;
  }
}

void Screen::back() {
  if (column_ > 0) {
    --column_;
  } else if (mode_ == ScreenMode::HorizontalScroll) {
  } else if (row_ > 0) {
    --row_;
    column_ = columns_ - 1;
  } else if (mode_ == ScreenMode::Overwrite) {
    row_ = rows_ - 1;
    column_ = columns_ - 1;
  }
}

void Screen::down() {
  if (row_ + 1 < rows_) ++row_;
  else if (mode_ == ScreenMode::VerticalScroll) scrollUp();
  else row_ = 0;
}

void Screen::up() {
  if (row_ > 0) --row_;
  else if (mode_ == ScreenMode::VerticalScroll) scrollDown();
  else row_ = rows_ - 1;
}

void Screen::scrollUp() {
  std::rotate(cells_.begin(), cells_.begin() + columns_, cells_.end());
  clearRow(rows_ - 1);
}

void Screen::scrollDown() {
  std::rotate(cells_.rbegin(), cells_.rbegin() + columns_, cells_.rend());
  clearRow(0);
}

void Screen::clearRow(int row) { std::fill_n(cells_.begin() + std::ptrdiff_t(row) * columns_, columns_, Cell{}); }

// The title on the first row, the characters from "!" on after it.
void Screen::selfTest() {
  reset();
  std::string title = kSelfTestTitle;
  for (std::size_t i = 0; i < title.size() && int(i) < columns_; ++i) at(0, int(i)).byte = std::uint8_t(title[i]);
  std::uint8_t next = '!';
  for (int r = 1; r < rows_; ++r)
    for (int col = 0; col < columns_; ++col, next = std::uint8_t(next == 0x7E ? '!' : next + 1)) at(r, col).byte = next;
}

// "HH:MM" at the right end of the bottom row; the cursor stays.
void Screen::showTime() {
  char text[8];
  std::snprintf(text, sizeof text, "%02d:%02d", hours_, minutes_);
  for (int i = 0; i < 5 && i < columns_; ++i)
    at(rows_ - 1, columns_ - std::min(5, columns_) + i) = Cell{std::uint8_t(text[i]), false, 0, 0};
}

std::string Screen::rowText(int row) const {
  std::string out;
  for (int col = 0; col < columns_; ++col) {
    const Cell& c = cell(row, col);
    appendUtf8(decodeByte(c.byte, c.table, c.intl), out);
  }
  return out;
}

std::string Screen::rowAttrs(int row) const {
  bool blinking = blinkMs() > 0;
  std::string out;
  for (int col = 0; col < columns_; ++col) {
    bool reverse = cell(row, col).reverse;
    out += blinking ? (reverse ? 'x' : 'b') : (reverse ? 'r' : '.');
  }
  return out;
}

}  // namespace vprinter
