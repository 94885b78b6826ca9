#include "setup/skin/win32/skin_frame.h"

#include <algorithm>

#include "setup/skin/win32/bitmap_region.h"

CSkinFrame::CSkinFrame(int backgroundId) {
  background_ = static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(backgroundId),
                                                IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
  region_ = CreateRegionFromBitmap(background_, kSkinTransparent);
}

CSkinFrame::~CSkinFrame() {
  if (region_) DeleteObject(region_);
  if (background_) DeleteObject(background_);
}

void CSkinFrame::ApplyRegion(HWND window) {
  if (region_ && SetWindowRgn(window, region_, TRUE)) region_ = nullptr;
}

bool CSkinFrame::Erase(HDC dc) const {
  BITMAP info{};
  if (!background_ || !GetObjectA(background_, sizeof info, &info)) return false;
  HDC memory = CreateCompatibleDC(dc);
  if (!memory) return false;
  HGDIOBJ old = SelectObject(memory, background_);
  BitBlt(dc, 0, 0, info.bmWidth, info.bmHeight, memory, 0, 0, SRCCOPY);
  SelectObject(memory, old);
  DeleteDC(memory);
  return true;
}

bool CSkinFrame::Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result) {
  switch (message) {
    case WM_ERASEBKGND:
      if (!Erase(reinterpret_cast<HDC>(wParam))) return false;
      *result = TRUE;
      return true;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      const int id = GetDlgCtrlID(reinterpret_cast<HWND>(lParam));
      if (std::find(transparent_.begin(), transparent_.end(), id) == transparent_.end()) return false;
      SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
      *result = reinterpret_cast<INT_PTR>(GetStockObject(HOLLOW_BRUSH));
      return true;
    }
    case WM_NCHITTEST: {
      const LRESULT hit = DefWindowProcA(window, message, wParam, lParam);
      if (hit != HTCLIENT) return false;  // the frame keeps its own answers
      SetWindowLongPtrA(window, DWLP_MSGRESULT, HTCAPTION);
      *result = TRUE;
      return true;
    }
    default:
      return false;
  }
}

void PlaceSkinnedWindow(HWND window, int width, int height, int topShift) {
  RECT rect{};
  GetWindowRect(window, &rect);
  SetWindowPos(window, nullptr, rect.left, rect.top + topShift, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}
