// The JSON-lines log of decoded commands (DIR/commands.jsonl).
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>

#include "tools/vprinter/decode/command.h"

namespace vprinter {

// One log line (without the newline) for a command from `source`. A text
// command's `text` is textUtf8 when given (its bytes decoded with the code
// table in force), else its bytes read as Latin-1.
std::string commandJson(const Command& cmd, std::uint64_t seq, const std::string& source,
                        const std::string* textUtf8 = nullptr);

// Appends lines to a file, flushed per line so a reader sees them at once.
// Used from the event loop thread only.
class CommandLog {
 public:
  CommandLog() = default;
  ~CommandLog();
  CommandLog(const CommandLog&) = delete;
  CommandLog& operator=(const CommandLog&) = delete;

  bool open(const std::string& path);  // truncates
  void write(const Command& cmd, const std::string& source, const std::string* textUtf8 = nullptr);
  std::uint64_t count() const { return seq_; }
  // Called with each line (without the newline) as it is written.
  void setListener(std::function<void(const std::string&)> listener) { listener_ = std::move(listener); }

 private:
  std::FILE* file_ = nullptr;
  std::uint64_t seq_ = 0;
  std::function<void(const std::string&)> listener_;
};

}  // namespace vprinter
