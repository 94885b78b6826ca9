// One window of a line display: a grid of character cells (device bytes
// with their attributes), the cursor, the viewport (where the window shows
// on the screen) and the window position inside it (scroll and marquee).
// Plain data with the text rules of the standard; no I/O. Used under the
// display's lock.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum : uint8_t { kCellBlink = 1, kCellReverse = 2 };

struct DisplayCell {
  uint8_t byte = ' ';
  uint8_t attr = 0;
  bool operator==(const DisplayCell& o) const { return byte == o.byte && attr == o.attr; }
  bool operator!=(const DisplayCell& o) const { return !(*this == o); }
};

struct Viewport {
  int32_t row = 0, column = 0, height = 0, width = 0;
};

class CDisplayWindow {
 public:
  CDisplayWindow(const Viewport& viewport, int32_t rows, int32_t columns);

  const Viewport& View() const { return viewport_; }
  int32_t Rows() const { return rows_; }
  int32_t Columns() const { return columns_; }
  const DisplayCell& At(int32_t row, int32_t column) const { return cells_[row * columns_ + column]; }

  int32_t CursorRow() const { return cursorRow_; }
  int32_t CursorColumn() const { return cursorColumn_ < columns_ ? cursorColumn_ : columns_ - 1; }
  // False (and nothing moved) outside the window.
  bool SetCursor(int32_t row, int32_t column);

  // Writes the bytes from the cursor with one attribute: a full row wraps
  // onto the next, the last row full scrolls the window up one row. The
  // cursor ends after the last byte when moveCursor is set, else where it
  // was. CR goes to the row's start, LF to the next row (scrolling at the
  // bottom).
  void Write(const std::string& bytes, uint8_t attr, bool moveCursor);
  void Clear();  // blanks, cursor and window position home
  // Shifts the text by units cells: up and left bring blanks in at the
  // bottom and right. A window wider (taller) than its viewport instead
  // moves its position over the text, held to the window's edges.
  void Scroll(int32_t direction, int32_t units);

  // What the viewport shows at its (row, column): the cell of the window at
  // the window position plus that offset, blank outside the window.
  DisplayCell Shown(int32_t row, int32_t column) const;
  int32_t OffsetRow() const { return offsetRow_; }
  int32_t OffsetColumn() const { return offsetColumn_; }
  void SetOffset(int32_t row, int32_t column) {
    offsetRow_ = row;
    offsetColumn_ = column;
  }

  // Per-window marquee and teletype settings (the properties of the
  // current window).
  int32_t marqueeType = 0;
  int32_t marqueeFormat = 0;
  int32_t marqueeUnitWait = 0;
  int32_t marqueeRepeatWait = 0;
  int32_t interCharacterWait = 0;

 private:
  void Put(uint8_t byte, uint8_t attr);
  void NextRow();
  void ShiftRows(int32_t units);     // positive: up
  void ShiftColumns(int32_t units);  // positive: left

  Viewport viewport_;
  int32_t rows_, columns_;
  std::vector<DisplayCell> cells_;
  int32_t cursorRow_ = 0, cursorColumn_ = 0;
  int32_t offsetRow_ = 0, offsetColumn_ = 0;
};

// ScrollText directions.
enum : int32_t { kScrollUp = 1, kScrollDown = 2, kScrollLeft = 3, kScrollRight = 4 };
