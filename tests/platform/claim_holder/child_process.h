// A program started beside the test program, and ended by force: the
// cross-process claim tests need a holder that dies while it holds.
#pragma once

#include <string>
#include <vector>

namespace claim_test {

class CChildProcess {
 public:
  CChildProcess() = default;
  ~CChildProcess();  // kills a child still running
  CChildProcess(const CChildProcess&) = delete;
  CChildProcess& operator=(const CChildProcess&) = delete;

  // program: a file name in the test program's own folder.
  bool Start(const std::string& program, const std::vector<std::string>& args);
  void Kill();
  // Waits for the child to end; false when it did not within timeoutMs.
  bool Wait(int timeoutMs);

 private:
  struct Handle;
  Handle* handle_ = nullptr;
};

// The folder the test program runs from, with a trailing separator.
std::string ProgramFolder();

}  // namespace claim_test
