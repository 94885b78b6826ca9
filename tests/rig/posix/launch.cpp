// Native programs start their own virtual printer: the built tavo-vprinter
// on a free TCP port, a pseudo-terminal and a free control port, writing
// into rig-out/ under the working folder (left there for a look after a
// run). It runs for the whole program and is ended by its process id.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>
#include <vector>

#include "tests/rig/rig_printer.h"

extern char** environ;

namespace rig {
namespace {

PrinterEndpoints gEndpoints;
bool gStarted = false;
std::string gProblem = "the virtual printer was not started";

// The value after `prefix` on a line of the printer's start-up output.
std::string After(const std::string& lines, const std::string& prefix) {
  const std::size_t at = lines.find(prefix);
  if (at == std::string::npos) return std::string();
  const std::size_t from = at + prefix.size();
  return lines.substr(from, lines.find('\n', from) - from);
}

class VirtualPrinterProcess : public ::testing::Environment {
 public:
  void SetUp() override {
    namespace fs = std::filesystem;
    const fs::path out = fs::absolute("rig-out");
    std::error_code ignored;
    fs::remove_all(out, ignored);
    fs::create_directories(out);
    gEndpoints.outDir = out.string();
    gProblem = Start();
    gStarted = gProblem.empty();
  }

  void TearDown() override {
    if (pid_ <= 0) return;
    kill(pid_, SIGTERM);
    for (int i = 0; i < 300; ++i) {
      if (waitpid(pid_, nullptr, WNOHANG) == pid_) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
  }

 private:
  std::string Start() {
    int fds[2];
    if (pipe(fds) != 0) return "no pipe";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&actions, fds[1], 1);
    const std::string errLog = gEndpoints.outDir + "/vprinter.err";
    posix_spawn_file_actions_addopen(&actions, 2, errLog.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::string program = RIG_VPRINTER;
    std::vector<std::string> args = {program, "--tcp", "0", "--pty", "--control-tcp", "0", "--no-stdin",
                                     "--drawer-close-ms", "0", "--out", gEndpoints.outDir};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(&a[0]);
    argv.push_back(nullptr);
    const int rc = posix_spawn(&pid_, program.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(fds[1]);
    if (rc != 0) {
      close(fds[0]);
      pid_ = 0;
      return "cannot start " + program;
    }
    const std::string lines = ReadStartLines(fds[0]);
    close(fds[0]);
    gEndpoints.dataPort = std::atoi(After(lines, "listening tcp 127.0.0.1:").c_str());
    gEndpoints.controlPort = std::atoi(After(lines, "control tcp 127.0.0.1:").c_str());
    gEndpoints.serialName = After(lines, "listening pty ");
    if (gEndpoints.dataPort <= 0 || gEndpoints.controlPort <= 0) return "the virtual printer said: " + lines;
    return std::string();
  }

  // Start-up output until the control line (the last one) or 10 s.
  static std::string ReadStartLines(int fd) {
    std::string lines;
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (lines.find("control tcp") == std::string::npos || lines.back() != '\n') {
      pollfd p{fd, POLLIN, 0};
      if (std::chrono::steady_clock::now() > until || poll(&p, 1, 100) < 0) break;
      if (!(p.revents & (POLLIN | POLLHUP))) continue;
      char buffer[512];
      const ssize_t n = read(fd, buffer, sizeof buffer);
      if (n <= 0) break;
      lines.append(buffer, std::size_t(n));
    }
    return lines;
  }

  pid_t pid_ = 0;
};

const ::testing::Environment* const gProcess = ::testing::AddGlobalTestEnvironment(new VirtualPrinterProcess);

}  // namespace

const PrinterEndpoints* Printer() { return gStarted ? &gEndpoints : nullptr; }
const std::string& PrinterProblem() { return gProblem; }

}  // namespace rig
