#include "setup/transfer/transfer_summary.h"

namespace devsetup {

std::string TransferSummary(int exitCode, const CTransferLines& lines) {
  const std::vector<std::string>& shown = exitCode == kExitDone ? lines.out : lines.err;
  std::string text;
  if (exitCode == kExitRefused) text = "The file was refused; nothing was written.\r\n\r\n";
  for (size_t i = 0; i < shown.size() && i < kSummaryLines; ++i) text += shown[i] + "\r\n";
  if (shown.size() > kSummaryLines) {
    text += "... and " + std::to_string(shown.size() - kSummaryLines) + " more lines\r\n";
  }
  return text;
}

}  // namespace devsetup
