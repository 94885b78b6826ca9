#include "service/server/dialog_base.h"

namespace server {

INT_PTR CDialogBase::RunModal(HINSTANCE instance, int templateId) {
  return DialogBoxParamA(instance, MAKEINTRESOURCEA(templateId), nullptr, DialogProc, reinterpret_cast<LPARAM>(this));
}

void CDialogBase::CenterOnScreen() const {
  RECT r;
  GetWindowRect(hwnd_, &r);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  SetWindowPos(hwnd_, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
               (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
}

INT_PTR CALLBACK CDialogBase::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<CDialogBase*>(lParam);
    SetWindowLongPtrA(hwnd, DWLP_USER, lParam);
    self->hwnd_ = hwnd;
    self->OnInitDialog();
    return TRUE;
  }
  auto* self = reinterpret_cast<CDialogBase*>(GetWindowLongPtrA(hwnd, DWLP_USER));
  if (self == nullptr) return FALSE;
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (self->OnCommand(id)) return TRUE;
      if (id == IDOK || id == IDCANCEL) {
        EndDialog(hwnd, id);
        return TRUE;
      }
      return FALSE;
    }
    case WM_TIMER:
      self->OnTimer(wParam);
      return TRUE;
    case WM_DESTROY:
      self->hwnd_ = nullptr;
      return FALSE;
    default:
      return FALSE;
  }
}

}  // namespace server
