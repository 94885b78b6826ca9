// Base of every devsetup window: a modal dialog from a template in the
// program's resources, with one DialogProc thunk that finds the C++ object
// through the window's user data (set from WM_INITDIALOG) and hands each
// message to the virtual handlers. Owner-draw requests are reflected to
// the control that asked, so skinned buttons draw themselves. Runs on the
// one user-interface thread.
#pragma once

#include <windows.h>

#include <string>

class CDialogBase {
 public:
  virtual ~CDialogBase() = default;
  CDialogBase(const CDialogBase&) = delete;
  CDialogBase& operator=(const CDialogBase&) = delete;

  // DialogBoxParam with this object; the value given to End, or -1 when
  // the template can't be loaded.
  INT_PTR DoModal(HWND parent);
  HWND Handle() const { return hwnd_; }

  // The message a control receives in place of its parent's WM_DRAWITEM.
  static constexpr UINT kReflectedDrawItem = WM_USER + 0x1c00 + WM_DRAWITEM;

 protected:
  explicit CDialogBase(int templateId) : templateId_(templateId) {}

  virtual BOOL OnInitDialog() { return TRUE; }
  // WM_COMMAND from a control or accelerator. The default ends the dialog
  // on IDOK and IDCANCEL.
  virtual void OnCommand(int id, int notifyCode);
  // Every other message; true when handled, *result is then what the
  // dialog procedure returns (see SetMessageResult for the rest).
  virtual bool OnMessage(UINT message, WPARAM wParam, LPARAM lParam, INT_PTR* result);

  void End(INT_PTR result) { EndDialog(hwnd_, result); }
  HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
  std::string ItemText(int id) const;
  void SetItemText(int id, const std::string& text) { SetDlgItemTextA(hwnd_, id, text.c_str()); }
  // For messages whose answer goes through DWLP_MSGRESULT (WM_NCHITTEST,
  // WM_NOTIFY): stores it and gives what the procedure must return.
  INT_PTR SetMessageResult(LRESULT value);

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

  int templateId_;
  HWND hwnd_ = nullptr;
};
