// CSkinButton: a push button drawn from a strip of up to three pictures
// (normal, pressed, disabled) with its own caption, font and colours. Set
// it up, then Attach it to its dialog control: the control keeps its id
// and notifications, becomes owner-drawn and is subclassed so it draws
// itself when the dialog reflects WM_DRAWITEM. Owns its image list and
// font. User-interface thread only.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

class CSkinButton {
 public:
  CSkinButton() = default;
  ~CSkinButton();
  CSkinButton(const CSkinButton&) = delete;
  CSkinButton& operator=(const CSkinButton&) = delete;

  // Resource ids; pressed and disabled may be 0. Without the normal
  // picture the button has no list and draws only its frame and caption.
  void SetBitmaps(int normal, int pressed, int disabled);
  void SetCaption(const std::string& caption) { caption_ = caption; }
  void SetCaptionFont(const char* face, int height);
  // Top-left of the caption; (-1, -1) centres it.
  void SetTextOrigin(int x, int y);
  void SetTextColors(COLORREF normal, COLORREF disabled);

  // Takes over the dialog's control; false when there is no such control.
  bool Attach(HWND dialog, int controlId);
  HWND Handle() const { return hwnd_; }

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                       DWORD_PTR self);
  void Draw(const DRAWITEMSTRUCT& item);
  int PictureCount() const { return list_ ? ImageList_GetImageCount(list_) : 0; }

  HWND hwnd_ = nullptr;
  HIMAGELIST list_ = nullptr;
  SIZE picture_{0, 0};
  std::string caption_;
  HFONT font_ = nullptr;
  POINT origin_{-1, -1};
  COLORREF normalColor_ = RGB(255, 255, 255);
  COLORREF disabledColor_ = RGB(255, 255, 255);
};
