// Standard output and error of devsetup.exe, a windowed program: the
// handles it was given (redirection, a deployment tool's pipes), else the
// console of the command prompt that started it. Lines end with CR LF.
#pragma once

#include <windows.h>

#include "setup/transfer/transfer_command.h"

class CConsoleOutput : public devsetup::ITransferOutput {
 public:
  CConsoleOutput();
  void Out(const std::string& line) override { Write(out_, line); }
  void Err(const std::string& line) override { Write(err_, line); }

 private:
  static void Write(HANDLE handle, const std::string& line);
  HANDLE out_ = nullptr;
  HANDLE err_ = nullptr;
};
