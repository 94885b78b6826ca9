// The printer core: takes decoded commands from each connection, answers
// status requests, keeps every connection's automatic status back going,
// holds print data while the printer is off line, and hands print commands
// to the renderer. Event loop thread only.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "tools/vprinter/decode/command_log.h"
#include "tools/vprinter/decode/decoder.h"
#include "tools/vprinter/device/device.h"
#include "tools/vprinter/device/maintenance.h"
#include "tools/vprinter/device/model.h"
#include "tools/vprinter/render/receipts.h"
#include "tools/vprinter/render/renderer.h"

namespace vprinter {

// One host link (a TCP connection or the pseudo-terminal). The transport
// owns it, feeds its bytes to Printer::receive and sends `outbox`.
struct Session {
  explicit Session(std::string n) : name(std::move(n)) {}
  std::string name;
  Decoder decoder;
  std::string outbox;  // bytes to send to the host
  int asbMask = 0;     // GS a n
  Status4 lastAsb{};
  bool inkAsb = false;  // GS j n
  Status4 lastInk{};
};

struct PrinterOptions {
  std::string outDir = ".";
  int width = 576;
  std::string model = defaultModel().name;
  Multibyte kanji = Multibyte::ShiftJis;  // the code Kanji mode reads (--kanji)
};

class Printer {
 public:
  explicit Printer(const PrinterOptions& options);

  Device& device() { return device_; }
  MaintenanceCounters& maintenance() { return maintenance_; }
  const Device& device() const { return device_; }
  Receipts& receipts() { return receipts_; }
  const Renderer& renderer() const { return renderer_; }
  const Model& model() const { return model_; }
  bool openLog(const std::string& path) { return log_.open(path); }
  // Hands each command log line to `listener` too (empty: no one).
  void onLogLine(std::function<void(const std::string&)> listener) { log_.setListener(std::move(listener)); }

  void attach(Session* s);
  void detach(Session* s);  // also ends its incomplete command
  void receive(Session& s, const std::uint8_t* bytes, std::size_t length);
  void receive(Session& s, const std::string& bytes) {
    receive(s, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }

  // Call after the device changed (control, timers): sends status blocks
  // to the connections that asked for them and prints held data when the
  // printer is back on line.
  void statusChanged();
  void tick(Clock::time_point now);
  // False while so much data is held that transports should stop reading.
  bool accepting() const { return heldBytes_ < kMaxHeldBytes; }

  std::uint64_t bytesReceived() const { return bytes_; }
  std::uint64_t commands() const { return log_.count(); }
  std::size_t held() const { return held_.size(); }
  std::size_t sessions() const { return sessions_.size(); }

  static constexpr std::size_t kMaxHeldBytes = 32u << 20;

 private:
  void handle(Session& s, const Command& c);
  // Text is logged as the paper shows it: `shown`, or else decoded now
  // with the code table, Kanji mode and encoding in force.
  void logCommand(const Command& c, const std::string& source, const std::string* shown = nullptr);
  // Returns the remark for the log.
  std::string immediate(Session& s, const Command& c, bool& done);
  // s: where replies go, null when that connection is gone.
  std::string execute(const Command& c, Session* s);
  std::string answer(const Command& c, Session* s);
  void countMaintenance(const Command& c, bool cut);
  void release();
  void pushStatus(Session& s);

  // A command waiting while the printer is off line, and who sent it.
  struct Held {
    Command command;
    Session* session;
  };

  const Model& model_;
  Device device_;
  MaintenanceCounters maintenance_;
  bool inked_ = false;  // text since the last feed: the next feed counts a head line
  Receipts receipts_;
  Renderer renderer_;
  CommandLog log_;
  std::vector<Session*> sessions_;
  std::deque<Held> held_;
  std::size_t heldBytes_ = 0;
  bool selected_ = true;
  std::uint64_t bytes_ = 0;
};

}  // namespace vprinter
