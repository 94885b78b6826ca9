#include "service/display/display_window.h"

#include <algorithm>

CDisplayWindow::CDisplayWindow(const Viewport& viewport, int32_t rows, int32_t columns)
    : viewport_(viewport), rows_(rows), columns_(columns), cells_(static_cast<size_t>(rows) * columns) {}

bool CDisplayWindow::SetCursor(int32_t row, int32_t column) {
  if (row < 0 || row >= rows_ || column < 0 || column >= columns_) return false;
  cursorRow_ = row;
  cursorColumn_ = column;
  return true;
}

void CDisplayWindow::Clear() {
  std::fill(cells_.begin(), cells_.end(), DisplayCell());
  cursorRow_ = cursorColumn_ = 0;
  offsetRow_ = offsetColumn_ = 0;
}

void CDisplayWindow::NextRow() {
  cursorColumn_ = 0;
  if (cursorRow_ + 1 < rows_) {
    ++cursorRow_;
    return;
  }
  ShiftRows(1);
}

void CDisplayWindow::Put(uint8_t byte, uint8_t attr) {
  if (cursorColumn_ >= columns_) NextRow();
  cells_[cursorRow_ * columns_ + cursorColumn_] = DisplayCell{byte, attr};
  ++cursorColumn_;
}

void CDisplayWindow::Write(const std::string& bytes, uint8_t attr, bool moveCursor) {
  const int32_t row = cursorRow_, column = cursorColumn_;
  for (char c : bytes) {
    const auto byte = static_cast<uint8_t>(c);
    if (byte == '\r') {
      cursorColumn_ = 0;
    } else if (byte == '\n') {
      const int32_t keep = cursorColumn_;
      NextRow();
      cursorColumn_ = keep < columns_ ? keep : 0;
    } else {
      Put(byte, attr);
    }
  }
  // A full row moves the cursor to the next row's start; after the last
  // row it waits past the end (shown on the last cell), and only the next
  // byte written scrolls.
  if (moveCursor) {
    if (cursorColumn_ >= columns_ && cursorRow_ + 1 < rows_) NextRow();
  } else {
    cursorRow_ = row;
    cursorColumn_ = column;
  }
}

void CDisplayWindow::ShiftRows(int32_t units) {
  const int32_t n = std::clamp(units, -rows_, rows_);
  std::vector<DisplayCell> shifted(cells_.size());
  for (int32_t r = 0; r < rows_; ++r) {
    const int32_t from = r + n;
    if (from < 0 || from >= rows_) continue;
    std::copy_n(cells_.begin() + from * columns_, columns_, shifted.begin() + r * columns_);
  }
  cells_.swap(shifted);
}

void CDisplayWindow::ShiftColumns(int32_t units) {
  const int32_t n = std::clamp(units, -columns_, columns_);
  for (int32_t r = 0; r < rows_; ++r) {
    std::vector<DisplayCell> row(cells_.begin() + r * columns_, cells_.begin() + (r + 1) * columns_);
    for (int32_t c = 0; c < columns_; ++c) {
      const int32_t from = c + n;
      cells_[r * columns_ + c] = from >= 0 && from < columns_ ? row[from] : DisplayCell();
    }
  }
}

void CDisplayWindow::Scroll(int32_t direction, int32_t units) {
  const bool vertical = direction == kScrollUp || direction == kScrollDown;
  const int32_t sign = direction == kScrollUp || direction == kScrollLeft ? 1 : -1;
  if (vertical && rows_ > viewport_.height) {
    offsetRow_ = std::clamp(offsetRow_ + sign * units, 0, rows_ - viewport_.height);
  } else if (!vertical && columns_ > viewport_.width) {
    offsetColumn_ = std::clamp(offsetColumn_ + sign * units, 0, columns_ - viewport_.width);
  } else if (vertical) {
    ShiftRows(sign * units);
  } else {
    ShiftColumns(sign * units);
  }
}

DisplayCell CDisplayWindow::Shown(int32_t row, int32_t column) const {
  const int32_t r = row + offsetRow_, c = column + offsetColumn_;
  if (r < 0 || r >= rows_ || c < 0 || c >= columns_) return DisplayCell();
  return At(r, c);
}
