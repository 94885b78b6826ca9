#include "service/display/display_screen.h"

#include <algorithm>

CDisplayScreen::CDisplayScreen(int32_t rows, int32_t columns)
    : columns_(columns), cells_(static_cast<size_t>(rows) * columns) {}

void CDisplayScreen::Reset() {
  std::fill(cells_.begin(), cells_.end(), DisplayCell());
  known_ = true;
  dark_ = false;
  reverse_ = false;
  blinking_ = false;
  cursorShown_ = false;
  cursorRow_ = cursorColumn_ = 0;
}

void CDisplayScreen::DrawRow(const CDisplayWindow& w, int32_t row, CDisplayEncoder& out) {
  const Viewport& v = w.View();
  const int32_t screenRow = v.row + row;
  DisplayCell* line = &cells_[screenRow * columns_ + v.column];
  int32_t first = -1, last = -1;
  for (int32_t c = 0; c < v.width; ++c) {
    if (known_ && w.Shown(row, c) == line[c]) continue;
    if (first < 0) first = c;
    last = c;
  }
  if (first < 0) return;
  for (int32_t c = first; c <= last; ++c) line[c] = w.Shown(row, c);
  if (cursorRow_ != screenRow || cursorColumn_ != v.column + first) out.MoveTo(screenRow, v.column + first);
  std::string run;
  for (int32_t c = first; c <= last; ++c) {
    const bool reverse = (line[c].attr & kCellReverse) != 0;
    if (reverse != reverse_) {
      out.Text(run);
      run.clear();
      out.Reverse(reverse);
      reverse_ = reverse;
    }
    run += static_cast<char>(line[c].byte);
  }
  out.Text(run);
  // The display's own cursor after the screen's last column is its own
  // business: position again before the next write.
  const int32_t next = v.column + last + 1;
  cursorRow_ = next < columns_ ? screenRow : -1;
  cursorColumn_ = next < columns_ ? next : -1;
}

void CDisplayScreen::UpdateBlink(CDisplayEncoder& out) {
  const bool any = std::any_of(cells_.begin(), cells_.end(), [](const DisplayCell& c) { return c.attr & kCellBlink; });
  if (any == blinking_) return;
  blinking_ = any;
  if (!dark_) out.Blink(any ? blinkUnits_ : 0);
}

void CDisplayScreen::PlaceCursor(const CDisplayWindow& w, CDisplayEncoder& out) {
  const Viewport& v = w.View();
  const int32_t row = w.CursorRow() - w.OffsetRow(), column = w.CursorColumn() - w.OffsetColumn();
  if (row < 0 || row >= v.height || column < 0 || column >= v.width) return;
  if (cursorRow_ == v.row + row && cursorColumn_ == v.column + column) return;
  out.MoveTo(v.row + row, v.column + column);
  cursorRow_ = v.row + row;
  cursorColumn_ = v.column + column;
}

void CDisplayScreen::Draw(const CDisplayWindow& w, CDisplayEncoder& out) {
  for (int32_t r = 0; r < w.View().height; ++r) DrawRow(w, r, out);
  known_ = true;
  UpdateBlink(out);
  PlaceCursor(w, out);
}

void CDisplayScreen::SetBlinkUnits(int32_t units, CDisplayEncoder& out) {
  if (units == blinkUnits_) return;
  blinkUnits_ = units;
  if (blinking_ && !dark_) out.Blink(units);
}

void CDisplayScreen::SetCursorShown(bool on, CDisplayEncoder& out) {
  cursorShown_ = on;
  out.Cursor(on);
}

void CDisplayScreen::SetBrightness(int32_t level, CDisplayEncoder& out) {
  if (level <= 0) {
    if (!dark_) out.ScreenOff();
    dark_ = true;
    return;
  }
  out.Brightness(level);
  if (!dark_) return;
  dark_ = false;
  out.Blink(blinking_ ? blinkUnits_ : 0);
}
