// devsetup's switches that work without a window:
//   devsetup /export FILE [/view 64|32]
//   devsetup /import FILE [/replace] [/set CLASS\DEVICE:VALUE=DATA]... [/view 64|32]
// Messages go to standard output (progress) and standard error (problems)
// and, through the trace hook, to the trace log when it is on.
#pragma once

#include <string>
#include <vector>

#include "platform/registry.h"

namespace devsetup {

inline constexpr int kExitDone = 0;
inline constexpr int kExitFailed = 1;   // anything but a refused file
inline constexpr int kExitRefused = 2;  // the file (or a /set) was refused; nothing written

enum class TransferAction { kWindow, kExport, kImport };

struct TransferCommand {
  TransferAction action = TransferAction::kWindow;
  std::string file;
  bool replace = false;
  std::vector<std::string> settings;    // /set arguments
  std::vector<platform::RegView> views;  // empty: the default views
};

// The program's arguments (without its own name). No switch: the window.
// False with *error for a command line that is not understood.
bool ParseTransferCommand(const std::vector<std::string>& args, TransferCommand* command, std::string* error);
// Import goes to both views from a 64-bit program (32- and 64-bit till
// applications see the same devices), to its own from a 32-bit one;
// export reads the program's own view.
std::vector<platform::RegView> DefaultViews(TransferAction action);

class ITransferOutput {
 public:
  virtual ~ITransferOutput() = default;
  virtual void Out(const std::string& line) = 0;
  virtual void Err(const std::string& line) = 0;
};

// Runs an export or import and returns its exit code.
int RunTransfer(const TransferCommand& command, ITransferOutput& output);

// The usage text shown for a bad command line.
std::string TransferUsage();

}  // namespace devsetup
