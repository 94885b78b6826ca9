// A message box that records what it was shown and answers confirmations
// from a script (OK when the script runs out).
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "setup/ui/message_box.h"

class ScriptedMessageBox : public IMessageBox {
 public:
  void Show(const std::string& text) override { shown.push_back(text); }
  bool Confirm(const std::string& caption, const std::string& text) override {
    shown.push_back(caption + ": " + text);
    if (answers.empty()) return true;
    const bool ok = answers.front();
    answers.pop_front();
    return ok;
  }
  std::vector<std::string> shown;
  std::deque<bool> answers;
};
