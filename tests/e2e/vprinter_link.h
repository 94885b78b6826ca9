// The test's view of the virtual printer: its control line protocol over
// loopback TCP, and its log of decoded commands (commands.jsonl in the
// output folder), read as the printer appends to it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// Sends one control line ("cover open", "text", ...) and returns the reply
// line ("ok ..." or "error ..."); "error no answer" when the printer could
// not be reached.
std::string Control(const std::string& line);

// Control() that must answer "ok": the reply without its "ok ".
std::string ControlOk(const std::string& line);

// One decoded command of the log.
struct LoggedCommand {
  std::string cmd;        // decoder's name ("text", "asb-enable", ...)
  std::vector<long> args;
  std::string text;       // printable text of a text command (UTF-8)
  std::string hex;        // the raw bytes, lower-case hex
};

// Parses one log line; false when it is not a complete command object.
bool ParseLoggedCommand(const std::string& line, LoggedCommand& out);

class CommandLog {
 public:
  // Starts at the current end of the log: Since() sees only later commands.
  CommandLog();

  // The commands logged after the mark, re-reading the file.
  std::vector<LoggedCommand> Since() const;
  // All raw bytes after the mark, as one hex string.
  std::string HexSince() const;
  // The printable text after the mark, concatenated.
  std::string TextSince() const;

 private:
  std::size_t mark_ = 0;  // complete lines present at construction
};

// Times a needle occurs in a haystack (non-overlapping).
int Occurrences(const std::string& haystack, const std::string& needle);

// Times a byte sequence (lower-case hex) occurs in a hex byte string,
// counting only matches on byte boundaries.
int HexOccurrences(const std::string& hex, const std::string& needle);
