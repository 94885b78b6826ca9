#include "setup/skin/win32/skin_button.h"

#include "setup/skin/button_face.h"
#include "setup/ui/win32/dialog_base.h"

namespace {

HBITMAP LoadPicture(int id) {
  return static_cast<HBITMAP>(
      LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR));
}

// Adds a picture to the list; pictures that can't be loaded are skipped.
void AddPicture(HIMAGELIST list, int id) {
  if (id == 0) return;
  HBITMAP picture = LoadPicture(id);
  if (!picture) return;
  ImageList_Add(list, picture, nullptr);
  DeleteObject(picture);
}

}  // namespace

CSkinButton::~CSkinButton() {
  if (hwnd_) RemoveWindowSubclass(hwnd_, SubclassProc, 0);
  if (list_) ImageList_Destroy(list_);
  if (font_) DeleteObject(font_);
}

void CSkinButton::SetBitmaps(int normal, int pressed, int disabled) {
  if (list_) ImageList_Destroy(list_);
  list_ = nullptr;
  HBITMAP first = LoadPicture(normal);
  if (!first) return;
  BITMAP info{};
  GetObjectA(first, sizeof info, &info);
  picture_ = {info.bmWidth, info.bmHeight};
  list_ = ImageList_Create(picture_.cx, picture_.cy, ILC_COLORDDB, 1, 2);
  if (list_) ImageList_Add(list_, first, nullptr);
  DeleteObject(first);
  if (!list_) return;
  AddPicture(list_, pressed);
  AddPicture(list_, disabled);
}

void CSkinButton::SetCaptionFont(const char* face, int height) {
  if (font_) DeleteObject(font_);
  font_ = CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                      CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, face);
}

void CSkinButton::SetTextOrigin(int x, int y) { origin_ = {x, y}; }

void CSkinButton::SetTextColors(COLORREF normal, COLORREF disabled) {
  normalColor_ = normal;
  disabledColor_ = disabled;
}

bool CSkinButton::Attach(HWND dialog, int controlId) {
  HWND control = GetDlgItem(dialog, controlId);
  if (!control || !SetWindowSubclass(control, SubclassProc, 0, reinterpret_cast<DWORD_PTR>(this))) return false;
  hwnd_ = control;
  const LONG_PTR style = GetWindowLongPtrA(control, GWL_STYLE);
  SetWindowLongPtrA(control, GWL_STYLE, (style & ~static_cast<LONG_PTR>(BS_TYPEMASK)) | BS_OWNERDRAW);
  InvalidateRect(control, nullptr, TRUE);
  return true;
}

LRESULT CALLBACK CSkinButton::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                           DWORD_PTR self) {
  auto* button = reinterpret_cast<CSkinButton*>(self);
  switch (message) {
    case CDialogBase::kReflectedDrawItem:
      button->Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_SETFOCUS:
    case WM_ENABLE: {
      const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
      InvalidateRect(hwnd, nullptr, TRUE);
      return result;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, SubclassProc, 0);
      button->hwnd_ = nullptr;
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

void CSkinButton::Draw(const DRAWITEMSTRUCT& item) {
  HDC dc = item.hDC;
  if (list_) SetWindowPos(hwnd_, nullptr, 0, 0, picture_.cx, picture_.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  RECT frame = list_ ? RECT{0, 0, picture_.cx, picture_.cy} : item.rcItem;
  DrawFrameControl(dc, &frame, DFC_BUTTON, DFCS_BUTTONPUSH);

  const skin::ButtonFace face =
      skin::FaceFor((item.itemState & ODS_DISABLED) != 0, (item.itemState & ODS_SELECTED) != 0, PictureCount());
  const COLORREF color = face.disabledText ? disabledColor_ : normalColor_;
  if (list_) ImageList_Draw(list_, face.picture, dc, 0, 0, ILD_NORMAL);
  if (caption_.empty()) return;

  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, color);
  HGDIOBJ previous = font_ ? SelectObject(dc, font_) : nullptr;
  if (!skin::CaptionCentred(origin_.x, origin_.y)) {
    TextOutA(dc, origin_.x, origin_.y, caption_.c_str(), static_cast<int>(caption_.size()));
  } else {
    DrawTextA(dc, caption_.c_str(), -1, &frame, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  }
  if (previous) SelectObject(dc, previous);
}
