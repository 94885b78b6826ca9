#include "child_process.h"

#include <chrono>
#include <thread>

#ifdef _WIN32
#include <windows.h>
#else
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace claim_test {

#ifdef _WIN32

struct CChildProcess::Handle {
  PROCESS_INFORMATION pi{};
};

std::string ProgramFolder() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string folder(path);
  return folder.substr(0, folder.find_last_of("\\/") + 1);
}

bool CChildProcess::Start(const std::string& program, const std::vector<std::string>& args) {
  std::string line = "\"" + ProgramFolder() + program + ".exe\"";
  for (const std::string& a : args) line += " \"" + a + "\"";
  STARTUPINFOA si{};
  si.cb = sizeof si;
  auto* h = new Handle;
  if (!CreateProcessA(nullptr, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &h->pi)) {
    delete h;
    return false;
  }
  CloseHandle(h->pi.hThread);
  handle_ = h;
  return true;
}

void CChildProcess::Kill() {
  if (handle_ == nullptr) return;
  TerminateProcess(handle_->pi.hProcess, 9);
  Wait(60000);
}

bool CChildProcess::Wait(int timeoutMs) {
  if (handle_ == nullptr) return true;
  if (WaitForSingleObject(handle_->pi.hProcess, static_cast<DWORD>(timeoutMs)) != WAIT_OBJECT_0) return false;
  CloseHandle(handle_->pi.hProcess);
  delete handle_;
  handle_ = nullptr;
  return true;
}

#else

struct CChildProcess::Handle {
  pid_t pid = -1;
};

std::string ProgramFolder() {
  char path[4096] = {};
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  std::string folder(path, n > 0 ? static_cast<size_t>(n) : 0);
  return folder.substr(0, folder.find_last_of('/') + 1);
}

bool CChildProcess::Start(const std::string& program, const std::vector<std::string>& args) {
  const std::string file = ProgramFolder() + program;
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(file.c_str()));
  for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t pid = fork();
  if (pid < 0) return false;
  if (pid == 0) {
    execv(file.c_str(), argv.data());
    _exit(127);
  }
  handle_ = new Handle{pid};
  return true;
}

void CChildProcess::Kill() {
  if (handle_ == nullptr) return;
  kill(handle_->pid, SIGKILL);
  Wait(60000);
}

bool CChildProcess::Wait(int timeoutMs) {
  if (handle_ == nullptr) return true;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  for (;;) {
    int status = 0;
    if (waitpid(handle_->pid, &status, WNOHANG) == handle_->pid) break;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  delete handle_;
  handle_ = nullptr;
  return true;
}

#endif

CChildProcess::~CChildProcess() { Kill(); }

}  // namespace claim_test
