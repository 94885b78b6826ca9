// The customer display's screen: its cells, cursor and screen mode, and
// how it looks (brightness, blinking, reverse cells). Event loop thread
// only.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/vprinter/display/display_command.h"

namespace vprinter {

enum class ScreenMode { Overwrite, VerticalScroll, HorizontalScroll };

struct Cell {
  std::uint8_t byte = ' ';
  bool reverse = false;
  // The ESC t table and ESC R set the character was written with.
  std::uint8_t table = 0, intl = 0;
};

class Screen {
 public:
  Screen(int rows, int columns);

  // Acts on one command; returns the remark for the log (empty: none).
  std::string apply(const DisplayCommand& c);

  int rows() const { return rows_; }
  int columns() const { return columns_; }
  const Cell& cell(int row, int column) const { return cells_[std::size_t(row) * columns_ + column]; }
  int cursorRow() const { return row_; }
  int cursorColumn() const { return column_; }
  bool cursorShown() const { return cursorShown_; }
  // Percent of full brightness; 0 while the screen is switched off (US E 255).
  int brightness() const;
  // Half period of the screen's blinking, 0 when it does not blink.
  int blinkMs() const { return lit_ ? blinkMs_ : 0; }
  bool lit() const { return lit_; }
  ScreenMode mode() const { return mode_; }
  int codeTable() const { return table_; }
  int international() const { return intl_; }
  bool selected() const { return selected_; }

  // UTF-8 text of a row, each cell decoded with its own table and set.
  std::string rowText(int row) const;
  // One character per cell: "." normal, "b" blinking, "r" reverse, "x" both.
  std::string rowAttrs(int row) const;

 private:
  void reset();
  std::string setup(const DisplayCommand& c, int n);
  std::string motion(const DisplayCommand& c);
  std::string look(const DisplayCommand& c, int n);
  void put(std::uint8_t byte);
  void step();
  void back();
  void down();
  void up();
  void scrollUp();
  void scrollDown();
  void clearRow(int row);
  void selfTest();
  void showTime();
  Cell& at(int row, int column) { return cells_[std::size_t(row) * columns_ + column]; }

  int rows_, columns_;
  std::vector<Cell> cells_;
  int row_ = 0, column_ = 0;
  bool scrollPending_ = false;  // the next character shifts the row (horizontal) or screen (vertical)
  ScreenMode mode_ = ScreenMode::Overwrite;
  bool cursorShown_ = false, reverse_ = false, lit_ = true, selected_ = true;
  int level_ = 4, blinkMs_ = 0;
  int table_ = 0, intl_ = 0;
  int hours_ = 0, minutes_ = 0;
};

const char* screenModeName(ScreenMode mode);

}  // namespace vprinter
