// What the display shows, as the Service Object last drew it, and the
// drawing: a window's viewport is compared with the screen and only the
// cells that differ are sent (cursor positioning, reverse switching, the
// bytes), then the display's cursor is put where the window's is (also
// while it is not shown, so the next text lands where the window says). Blinking
// is the whole screen's (US E): on while any shown cell blinks. Brightness
// 0 switches the screen off (US E 255), which keeps its characters and
// takes new ones; the next brightness above 0 lights it again.
#pragma once

#include <cstdint>
#include <vector>

#include "service/display/display_encoder.h"
#include "service/display/display_window.h"

class CDisplayScreen {
 public:
  CDisplayScreen(int32_t rows, int32_t columns);

  // After ESC @ and CLR: blank, unreversed, steady, cursor home.
  void Reset();
  // The display's content is unknown (raw bytes went out): the next draw
  // sends every cell.
  void Forget() {
    known_ = false;
    cursorRow_ = cursorColumn_ = -1;
  }

  void Draw(const CDisplayWindow& window, CDisplayEncoder& out);
  void SetBlinkUnits(int32_t units, CDisplayEncoder& out);  // the rate of US E
  void SetCursorShown(bool on, CDisplayEncoder& out);
  // level 0..4; 0 switches the screen off.
  void SetBrightness(int32_t level, CDisplayEncoder& out);

  const DisplayCell& At(int32_t row, int32_t column) const { return cells_[row * columns_ + column]; }
  bool Blinking() const { return blinking_; }

 private:
  void DrawRow(const CDisplayWindow& w, int32_t row, CDisplayEncoder& out);
  void UpdateBlink(CDisplayEncoder& out);
  void PlaceCursor(const CDisplayWindow& w, CDisplayEncoder& out);

  const int32_t columns_;
  std::vector<DisplayCell> cells_;  // the screen as drawn (also while blank)
  bool known_ = false;
  bool dark_ = false;               // brightness 0: switched off
  bool reverse_ = false;            // US r in force
  bool blinking_ = false;
  int32_t blinkUnits_ = 10;
  bool cursorShown_ = false;
  int32_t cursorRow_ = -1, cursorColumn_ = -1;  // -1: unknown
};
