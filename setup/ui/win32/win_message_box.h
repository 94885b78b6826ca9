// The message boxes of devsetup: OK boxes captioned with the program's
// name, owned by the window that asks.
#pragma once

#include <windows.h>

#include "setup/ui/message_box.h"

class CWinMessageBox : public IMessageBox {
 public:
  explicit CWinMessageBox(HWND owner) : owner_(owner) {}
  void Show(const std::string& text) override;
  bool Confirm(const std::string& caption, const std::string& text) override;

  static constexpr char kProgramName[] = "devsetup";

 private:
  HWND owner_;
};
