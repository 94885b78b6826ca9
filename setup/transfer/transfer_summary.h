// What the main window shows after an export or import started from its
// menu: the command's lines in one message box, refusals first, long lists
// cut so the box still fits on the screen.
#pragma once

#include <string>
#include <vector>

#include "setup/transfer/transfer_command.h"

namespace devsetup {

// Collects a command's lines for the box.
class CTransferLines : public ITransferOutput {
 public:
  void Out(const std::string& line) override { out.push_back(line); }
  void Err(const std::string& line) override { err.push_back(line); }
  std::vector<std::string> out, err;
};

inline constexpr size_t kSummaryLines = 15;

// The box's text for an exit code: the problem lines (at most
// kSummaryLines, then how many more), or the lines of a done command.
std::string TransferSummary(int exitCode, const CTransferLines& lines);

}  // namespace devsetup
