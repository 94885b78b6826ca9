// How devsetup's rules speak to the user: modal message boxes with fixed
// texts. The Windows views pass the real box; tests pass a scripted one.
// Called on the one user-interface thread only.
#pragma once

#include <string>

class IMessageBox {
 public:
  virtual ~IMessageBox() = default;
  // An OK box captioned with the program's name; returns when it is closed.
  virtual void Show(const std::string& text) = 0;
  // An OK/Cancel box with its own caption; true only when OK was chosen.
  virtual bool Confirm(const std::string& caption, const std::string& text) = 0;
};
