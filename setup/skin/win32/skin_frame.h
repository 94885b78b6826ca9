// The painted side of a skinned window: its background bitmap (a
// device-independent section), the region cut from it, transparent labels
// and dragging by any free point. Both the main window and the skinned
// dialogs hand their messages to one of these first. Owns the bitmap and,
// until ApplyRegion gives it to the window, the region.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <vector>

class CSkinFrame {
 public:
  explicit CSkinFrame(int backgroundId);
  ~CSkinFrame();
  CSkinFrame(const CSkinFrame&) = delete;
  CSkinFrame& operator=(const CSkinFrame&) = delete;

  // Controls drawn with a transparent background (labels, radio buttons,
  // the read-only description pane).
  void SetTransparentControls(std::initializer_list<int> ids) { transparent_.assign(ids); }
  // Gives the region to the window (it owns it from then on).
  void ApplyRegion(HWND window);

  // Handles background erasing, transparent control colours and the hit
  // test; true when the message was answered, with the procedure's result.
  bool Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);

 private:
  bool Erase(HDC dc) const;

  HBITMAP background_ = nullptr;
  HRGN region_ = nullptr;
  std::vector<int> transparent_;
};

// Where a control sits on the artwork, in pixels of the client area. The
// bitmaps are drawn in pixels, so controls are placed on them in pixels
// too, whatever the dialog font measures on the machine.
struct ControlPlace {
  int id;
  int x, y, width, height;
};
template <size_t N>
void PlaceControls(HWND dialog, const ControlPlace (&places)[N]) {
  for (const ControlPlace& p : places) {
    SetWindowPos(GetDlgItem(dialog, p.id), nullptr, p.x, p.y, p.width, p.height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

// Keeps the window's left edge, moves its top one pixel down and sizes it.
void PlaceSkinnedWindow(HWND window, int width, int height, int topShift);
