// The printer's mechanism as the host sees it through status bytes: paper,
// cover, on/off line, error flags, the drawer sense line and two ink
// cartridges. Plain data plus the status encodings; owned and used by the
// event loop thread only.
#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <string>

namespace vprinter {

using Clock = std::chrono::steady_clock;
using Status4 = std::array<std::uint8_t, 4>;

enum class Paper { Ok, NearEnd, Empty };
enum class Ink { Ok, NearEnd, Empty, Removed, Cleaning };

class Device {
 public:
  // Settings: how long a kicked drawer stays open (0 = until closed by
  // control), and whether the sense line is high while the drawer is open.
  void setDrawerCloseAfter(std::chrono::milliseconds ms) { drawerCloseAfter_ = ms; }
  void setDrawerOpenHigh(bool high) { drawerOpenHigh_ = high; }

  Paper paper = Paper::Ok;
  bool coverOpen = false;
  bool offlineSwitch = false;  // set by the control "offline"
  bool cutterError = false;
  bool mechanicalError = false;
  bool unrecoverableError = false;
  std::array<Ink, 2> ink{Ink::Ok, Ink::Ok};

  // Off line for any reason: switch, cover, paper end or an error.
  bool offline() const;
  bool anyError() const { return cutterError || mechanicalError || unrecoverableError; }

  bool drawerOpen() const { return drawerOpen_; }
  void openDrawer(Clock::time_point now);  // a kick; re-arms the close timer
  void closeDrawer();
  // Closes a drawer whose time is up; true when it did.
  bool tick(Clock::time_point now);
  // When the drawer closes by itself, if it is open with a timer.
  bool drawerDeadline(Clock::time_point& when) const;

  // Automatic status back block (4 bytes, first byte pattern 0xx1xx00).
  Status4 asb() const;
  // Ink status block: 35 b1 b2 00.
  Status4 inkStatus() const;
  // Reply byte to the real-time status request 10 04 n (n 1..4), -1 for none.
  int realtime(int n) const;
  // Paper sensors as ESC v and GS r 1 report them: near end 03, end 0F.
  int paperSensors() const;
  // Reply byte to GS r n (1 paper sensors, 2 drawer sense line), -1 for none.
  int transmitStatus(int n) const;
  // The control's one-line JSON view.
  std::string json() const;

 private:
  bool drawerOpen_ = false;
  bool drawerOpenHigh_ = false;
  std::chrono::milliseconds drawerCloseAfter_{0};
  Clock::time_point drawerCloseAt_{};
};

// Whether a change from `before` to `after` concerns an item enabled by the
// automatic status back setting n (GS a n bits 0 drawer, 1 on/off line,
// 2 errors, 3 paper).
bool asbChanged(const Status4& before, const Status4& after, int n);

const char* paperName(Paper p);
const char* inkName(Ink i);

}  // namespace vprinter
