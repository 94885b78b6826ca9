// Text and windows: DisplayText, DisplayTextAt, ClearText, ScrollText,
// CreateWindow, DestroyWindow, RefreshWindow, and the members the
// displays have no hardware for.
#include "common/opos.h"
#include "service/display/display_text_map.h"
#include "service/display/line_display.h"

using namespace opos;

namespace {

enum : int32_t { DISP_DT_NORMAL = 0, DISP_DT_BLINK = 1, DISP_DT_REVERSE = 2, DISP_DT_BLINK_REVERSE = 3 };
enum : int32_t { DISP_CB_NOBLINK = 0, DISP_CR_NONE = 0 };

}  // namespace

// ---- Drawing (under mutex_) --------------------------------------------

bool CLineDisplay::Animating(size_t window) const {
  const CDisplayWindow& w = *windows_[window];
  return w.marqueeType != 0 && window == current_;
}

bool CLineDisplay::DrawWindow(size_t index) {
  std::string bytes;
  StringRefSink sink(&bytes);
  CDisplayEncoder out(sink);
  screen_->Draw(*windows_[index], out);
  return Send(bytes);
}

// Draws the current window unless a marquee owns its viewport (the
// marquee's next step shows the change).
bool CLineDisplay::DrawCurrent(Lock&) {
  if (Animating(current_)) {
    WakeWorker();
    return true;
  }
  return DrawWindow(current_);
}

// ---- Text ----------------------------------------------------------------

bool CLineDisplay::MapText(const std::u16string& data, std::string* bytes) const {
  return MapDisplayText(data, mapCharacterSet_ != 0, characterSet_, table_, bytes);
}

int32_t CLineDisplay::ShowText(const std::string& bytes, int32_t attribute) {
  if (attribute < DISP_DT_NORMAL || attribute > DISP_DT_BLINK_REVERSE) return Result(OPOS_E_ILLEGAL);
  const bool blink = attribute & DISP_DT_BLINK, reverse = attribute & DISP_DT_REVERSE;
  if ((blink && profile_.capBlink == DISP_CB_NOBLINK) || (reverse && profile_.capReverse == DISP_CR_NONE)) {
    return Result(OPOS_E_ILLEGAL);
  }
  const uint8_t attr = static_cast<uint8_t>((blink ? kCellBlink : 0) | (reverse ? kCellReverse : 0));
  Lock lock(mutex_);
  FinishTeletype();
  CDisplayWindow& w = Current();
  if (w.interCharacterWait > 0 && w.marqueeType == 0) {
    teletype_.push_back(
        Teletype{current_, bytes, 0, attr, std::chrono::steady_clock::now(), w.CursorRow(), w.CursorColumn()});
    WakeWorker();
    return Result(OPOS_SUCCESS);
  }
  w.Write(bytes, attr, cursorUpdate_ != 0);
  if (w.marqueeType != 0) return Result(OPOS_SUCCESS);  // INIT or running: the marquee shows it
  return Result(DrawCurrent(lock) ? OPOS_SUCCESS : OPOS_E_FAILURE);
}

int32_t CLineDisplay::DisplayText(const std::u16string& data, int32_t attribute) {
  if (!CheckEnabled()) return resultCode_;
  std::string bytes;
  if (!MapText(data, &bytes)) return Result(OPOS_E_ILLEGAL);
  return ShowText(bytes, attribute);
}

int32_t CLineDisplay::DisplayTextAt(int32_t row, int32_t column, const std::u16string& data, int32_t attribute) {
  if (!CheckEnabled()) return resultCode_;
  std::string bytes;
  if (!MapText(data, &bytes)) return Result(OPOS_E_ILLEGAL);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    FinishTeletype();
    if (!Current().SetCursor(row, column)) return Result(OPOS_E_ILLEGAL);
  }
  return ShowText(bytes, attribute);
}

int32_t CLineDisplay::ClearText() {
  if (!CheckEnabled()) return resultCode_;
  Lock lock(mutex_);
  FinishTeletype();
  Current().Clear();
  if (marquees_[current_].running) marquees_[current_] = Marquee();
  if (Current().marqueeType != 0) return Result(OPOS_SUCCESS);
  return Result(DrawCurrent(lock) ? OPOS_SUCCESS : OPOS_E_FAILURE);
}

int32_t CLineDisplay::ScrollText(int32_t direction, int32_t units) {
  if (!CheckEnabled()) return resultCode_;
  if (direction < kScrollUp || direction > kScrollRight || units < 1) return Result(OPOS_E_ILLEGAL);
  Lock lock(mutex_);
  FinishTeletype();
  if (Current().marqueeType != 0) return Result(OPOS_E_ILLEGAL);
  Current().Scroll(direction, units);
  return Result(DrawCurrent(lock) ? OPOS_SUCCESS : OPOS_E_FAILURE);
}

// ---- Windows -------------------------------------------------------------

// The viewport lies on the screen; the window is at least as large as its
// viewport and larger in one direction at most (that is where it scrolls).
int32_t CLineDisplay::CreateWindow(int32_t vpRow, int32_t vpColumn, int32_t vpHeight, int32_t vpWidth,
                                   int32_t height, int32_t width) {
  if (!CheckEnabled()) return resultCode_;
  const bool viewportFits = vpRow >= 0 && vpColumn >= 0 && vpHeight >= 1 && vpWidth >= 1 &&
                            vpRow + vpHeight <= profile_.rows && vpColumn + vpWidth <= profile_.columns;
  const bool windowFits = height >= vpHeight && width >= vpWidth && (height == vpHeight || width == vpWidth) &&
                          height <= kMaxDisplayRows * 16 && width <= kMaxDisplayColumns * 16;
  if (!viewportFits || !windowFits) return Result(OPOS_E_ILLEGAL);
  Lock lock(mutex_);
  if (static_cast<int32_t>(windows_.size()) > profile_.deviceWindows) return Result(OPOS_E_ILLEGAL);
  FinishTeletype();
  windows_.push_back(std::make_unique<CDisplayWindow>(Viewport{vpRow, vpColumn, vpHeight, vpWidth}, height, width));
  marquees_.emplace_back();
  current_ = windows_.size() - 1;
  return Result(OPOS_SUCCESS);
}

int32_t CLineDisplay::DestroyWindow() {
  if (!CheckEnabled()) return resultCode_;
  Lock lock(mutex_);
  if (current_ == 0) return Result(OPOS_E_ILLEGAL);
  FinishTeletype();
  windows_.erase(windows_.begin() + static_cast<ptrdiff_t>(current_));
  marquees_.erase(marquees_.begin() + static_cast<ptrdiff_t>(current_));
  current_ = 0;
  return Result(OPOS_SUCCESS);
}

int32_t CLineDisplay::RefreshWindow(int32_t window) {
  if (!CheckEnabled()) return resultCode_;
  Lock lock(mutex_);
  if (window < 0 || static_cast<size_t>(window) >= windows_.size()) return Result(OPOS_E_ILLEGAL);
  FinishTeletype();
  current_ = static_cast<size_t>(window);
  return Result(DrawCurrent(lock) ? OPOS_SUCCESS : OPOS_E_FAILURE);
}

std::vector<std::string> CLineDisplay::ScreenRows() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::vector<std::string> rows;
  for (int32_t r = 0; screen_ && r < profile_.rows; ++r) {
    std::string row;
    for (int32_t c = 0; c < profile_.columns; ++c) row += static_cast<char>(screen_->At(r, c).byte);
    rows.push_back(row);
  }
  return rows;
}

// ---- What the displays have no hardware for ------------------------------

int32_t CLineDisplay::ClearDescriptors() { return CheckEnabled() ? Result(OPOS_E_ILLEGAL) : resultCode_; }
int32_t CLineDisplay::SetDescriptor(int32_t, int32_t) { return CheckEnabled() ? Result(OPOS_E_ILLEGAL) : resultCode_; }
int32_t CLineDisplay::DefineGlyph(int32_t, const std::string&) {
  return CheckEnabled() ? Result(OPOS_E_ILLEGAL) : resultCode_;
}
int32_t CLineDisplay::ReadCharacterAtCursor(int32_t*) { return CheckEnabled() ? Result(OPOS_E_ILLEGAL) : resultCode_; }
int32_t CLineDisplay::DisplayBitmap(const std::string&, int32_t, int32_t, int32_t) {
  return CheckEnabled() ? Result(OPOS_E_ILLEGAL) : resultCode_;
}
int32_t CLineDisplay::SetBitmap(int32_t, const std::string&, int32_t, int32_t, int32_t) {
  return CheckEnabled() ? Result(OPOS_E_ILLEGAL) : resultCode_;
}
int32_t CLineDisplay::ResetStatistics(const std::string&) { return CheckOpen() ? Result(OPOS_E_ILLEGAL) : resultCode_; }
int32_t CLineDisplay::RetrieveStatistics(std::string*) { return CheckOpen() ? Result(OPOS_E_ILLEGAL) : resultCode_; }
int32_t CLineDisplay::UpdateStatistics(const std::string&) { return CheckOpen() ? Result(OPOS_E_ILLEGAL) : resultCode_; }
int32_t CLineDisplay::CompareFirmwareVersion(const std::string&, int32_t*) {
  return CheckOpen() ? Result(OPOS_E_ILLEGAL) : resultCode_;
}
int32_t CLineDisplay::UpdateFirmware(const std::string&) { return CheckOpen() ? Result(OPOS_E_ILLEGAL) : resultCode_; }
