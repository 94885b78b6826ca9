// One base for the module's modal dialogs: a single DialogProc thunk that
// finds the dialog object (passed at creation, kept in DWLP_USER) and hands
// it the messages it cares about. Views only move values to and from
// controls; their rules live in portable classes.
#pragma once

#include <windows.h>

namespace server {

class CDialogBase {
 public:
  virtual ~CDialogBase() = default;

  // Shows the template of the given module modally, without a parent.
  INT_PTR RunModal(HINSTANCE instance, int templateId);
  HWND Window() const { return hwnd_; }

 protected:
  virtual void OnInitDialog() {}
  // True when handled; IDOK and IDCANCEL end the dialog unless handled.
  virtual bool OnCommand(int id) { return (void)id, false; }
  virtual void OnTimer(UINT_PTR id) { (void)id; }

  void SetText(int id, const char* text) const { SetDlgItemTextA(hwnd_, id, text); }
  void SetCheck(int id, bool checked) const { CheckDlgButton(hwnd_, id, checked ? BST_CHECKED : BST_UNCHECKED); }
  void CenterOnScreen() const;

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND hwnd_ = nullptr;
};

}  // namespace server
