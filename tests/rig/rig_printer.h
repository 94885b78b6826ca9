// The virtual printer as the tests see it: where it listens, its control
// line protocol (over loopback TCP, which programs under Wine reach too),
// and its log of decoded commands, read back as the printer appends to it.
//
// One printer serves every test of a program. Its device state outlives a
// test, so fixtures put it back with ResetDevice().
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace rig {

struct PrinterEndpoints {
  int dataPort = 0;        // host data over TCP on 127.0.0.1
  int controlPort = 0;     // control lines over TCP on 127.0.0.1
  std::string outDir;      // receipt PNGs and commands.jsonl, in this OS's path form
  std::string serialName;  // the pseudo-terminal as this side names it ("COM9", "/dev/pts/3"); may be empty
};

// Filled by the program's launcher (rig_launch_*.cpp); null when the
// printer could not be started or was not handed over, with the reason.
const PrinterEndpoints* Printer();
const std::string& PrinterProblem();

// One control line ("cover open", "state", ...) and its reply line ("ok
// ..." or "error ..."); "error no answer" when the printer is unreachable.
std::string Control(const std::string& line);
// The reply's text after "ok " when it is "ok"; empty otherwise.
std::string ControlOk(const std::string& line);
// A number or a text of the "state" reply's top level (-1 / "" when absent).
long StateNumber(const std::string& key);
std::string StateText(const std::string& key);
// Cover closed, paper in, on line, no errors, drawer shut, ink full.
bool ResetDevice();

// One line of the command log.
struct LoggedCommand {
  std::string cmd;        // the decoder's name: "text", "asb-enable", "bar-code", ...
  std::string src;        // the connection it came from
  std::vector<long> args;
  std::string text;       // the characters of a text command
  std::string data;       // the data of a bar code or 2D symbol
  std::string hex;        // the command's bytes, lower-case hex (long payloads cut)
};

// Parses one log line; false when it is not a complete command object.
bool ParseLoggedCommand(const std::string& line, LoggedCommand* out);

class CommandLog {
 public:
  // Marks the current end: Since() gives only commands logged later.
  CommandLog();
  std::vector<LoggedCommand> Since() const;
  // Waits up to ms for a logged command that satisfies the test.
  bool WaitFor(const std::function<bool(const LoggedCommand&)>& test, int ms) const;
  // The text of the text commands since the mark, in order.
  std::string TextSince() const;

 private:
  std::size_t mark_ = 0;
};

// Polls a condition every few milliseconds for up to ms.
bool Eventually(const std::function<bool()>& condition, int ms);

// Lower-case hex of bytes, as the log writes them.
std::string Hex(const std::string& bytes);

// Sends one line to 127.0.0.1:port and reads one line back (OS sockets).
std::string ExchangeLine(int port, const std::string& line, int timeoutMs);

}  // namespace rig
