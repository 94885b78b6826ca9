#include "setup/ui/win32/dialog_base.h"

#include <vector>

INT_PTR CDialogBase::DoModal(HWND parent) {
  return DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(templateId_), parent, DialogProc,
                         reinterpret_cast<LPARAM>(this));
}

void CDialogBase::OnCommand(int id, int) {
  if (id == IDOK || id == IDCANCEL) End(id);
}

bool CDialogBase::OnMessage(UINT, WPARAM, LPARAM, INT_PTR*) { return false; }

std::string CDialogBase::ItemText(int id) const {
  HWND item = Item(id);
  const int length = item ? GetWindowTextLengthA(item) : 0;
  std::vector<char> text(static_cast<size_t>(length) + 1, '\0');
  if (length > 0) GetWindowTextA(item, text.data(), length + 1);
  return text.data();
}

INT_PTR CDialogBase::SetMessageResult(LRESULT value) {
  SetWindowLongPtrA(hwnd_, DWLP_MSGRESULT, value);
  return TRUE;
}

INT_PTR CALLBACK CDialogBase::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_INITDIALOG) {
    auto* self = reinterpret_cast<CDialogBase*>(lParam);
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, lParam);
    self->hwnd_ = hwnd;
    return self->OnInitDialog();
  }
  auto* self = reinterpret_cast<CDialogBase*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
  return self ? self->Dispatch(message, wParam, lParam) : FALSE;
}

INT_PTR CDialogBase::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
  INT_PTR result = FALSE;
  if (OnMessage(message, wParam, lParam, &result)) return result;
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case WM_DRAWITEM: {
      const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
      if (item->CtlType != ODT_BUTTON) return FALSE;
      return SendMessageA(item->hwndItem, kReflectedDrawItem, wParam, lParam) ? TRUE : FALSE;
    }
    default:
      return FALSE;
  }
}
