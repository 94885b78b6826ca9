#include "tools/vprinter/decode/command_log.h"

#include "tools/vprinter/decode/json.h"

namespace vprinter {

std::string commandJson(const Command& cmd, std::uint64_t seq, const std::string& source,
                        const std::string* textUtf8) {
  std::string line = "{\"seq\":" + std::to_string(seq) + ",\"src\":" + jsonQuote(source) +
                     ",\"cmd\":" + jsonQuote(cmd.name);
  if (!cmd.args.empty()) {
    line += ",\"args\":[";
    for (std::size_t i = 0; i < cmd.args.size(); ++i) line += (i ? "," : "") + std::to_string(cmd.args[i]);
    line += "]";
  }
  if (cmd.op == Op::Text) line += ",\"text\":" + (textUtf8 ? jsonQuoteUtf8(*textUtf8) : jsonQuote(cmd.data));
  else if (!cmd.data.empty()) line += ",\"data_len\":" + std::to_string(cmd.data.size());
  if (cmd.op == Op::BarCode || cmd.op == Op::Symbol2D || cmd.op == Op::SymbolPrint)
    line += ",\"data\":" + jsonQuote(cmd.data);
  line += ",\"len\":" + std::to_string(cmd.length) + ",\"hex\":\"" + hexBytes(cmd.raw) + "\"";
  if (!cmd.note.empty()) line += ",\"note\":" + jsonQuote(cmd.note);
  return line + "}";
}

CommandLog::~CommandLog() {
  if (file_) std::fclose(file_);
}

bool CommandLog::open(const std::string& path) {
  if (file_) std::fclose(file_);
  file_ = std::fopen(path.c_str(), "w");
  return file_ != nullptr;
}

void CommandLog::write(const Command& cmd, const std::string& source, const std::string* textUtf8) {
  ++seq_;
  if (!file_ && !listener_) return;
  std::string line = commandJson(cmd, seq_, source, textUtf8);
  if (listener_) listener_(line);
  if (!file_) return;
  line += '\n';
  std::fwrite(line.data(), 1, line.size(), file_);
  std::fflush(file_);
}

}  // namespace vprinter
