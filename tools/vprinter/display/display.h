// The virtual customer display: takes each host link's bytes through its
// own decoder, acts on the screen and logs every command (DIR/display.jsonl).
// Event loop thread only.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "tools/vprinter/decode/command_log.h"
#include "tools/vprinter/display/display_decoder.h"
#include "tools/vprinter/display/display_model.h"
#include "tools/vprinter/display/screen.h"

namespace vprinter {

// One host link of the display (a TCP connection or its pseudo-terminal).
struct DisplaySession {
  explicit DisplaySession(std::string n) : name(std::move(n)) {}
  std::string name;
  DisplayDecoder decoder;
};

class Display {
 public:
  explicit Display(const DisplayModel& model);

  const DisplayModel& model() const { return model_; }
  const Screen& screen() const { return screen_; }
  bool openLog(const std::string& path) { return log_.open(path); }

  void attach(DisplaySession* s);
  void detach(DisplaySession* s);  // also logs its incomplete command
  void receive(DisplaySession& s, const std::uint8_t* bytes, std::size_t length);
  void receive(DisplaySession& s, const std::string& bytes) {
    receive(s, reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
  }

  // The control line `display` reply (without "ok ").
  std::string json() const;
  // Changes whenever the screen may have changed.
  std::uint64_t version() const { return bytes_ + log_.count(); }
  std::uint64_t commands() const { return log_.count(); }

 private:
  void handle(DisplaySession& s, const DisplayCommand& c);

  const DisplayModel& model_;
  Screen screen_;
  CommandLog log_;
  std::vector<DisplaySession*> sessions_;
  std::uint64_t bytes_ = 0;
};

}  // namespace vprinter
