#include "setup/transfer/win32/console_output.h"

namespace {

bool Usable(HANDLE handle) { return handle && handle != INVALID_HANDLE_VALUE; }

}  // namespace

CConsoleOutput::CConsoleOutput() : out_(GetStdHandle(STD_OUTPUT_HANDLE)), err_(GetStdHandle(STD_ERROR_HANDLE)) {
  if (Usable(out_) && Usable(err_)) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  HANDLE console = CreateFileA("CONOUT$", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                               0, nullptr);
  if (!Usable(out_)) out_ = console;
  if (!Usable(err_)) err_ = console;
}

void CConsoleOutput::Write(HANDLE handle, const std::string& line) {
  if (!Usable(handle)) return;
  std::string text;
  for (char c : line) {
    if (c == '\n') text += '\r';
    text += c;
  }
  text += "\r\n";
  DWORD written = 0;
  WriteFile(handle, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}
