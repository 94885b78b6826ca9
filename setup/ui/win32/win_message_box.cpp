#include "setup/ui/win32/win_message_box.h"

void CWinMessageBox::Show(const std::string& text) { MessageBoxA(owner_, text.c_str(), kProgramName, MB_OK); }

bool CWinMessageBox::Confirm(const std::string& caption, const std::string& text) {
  return MessageBoxA(owner_, text.c_str(), caption.c_str(), MB_OKCANCEL) == IDOK;
}
