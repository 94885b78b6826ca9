// The worker thread: teletype output (InterCharacterWait) and the marquee
// of the current window. It sleeps on a condition variable until the next
// step is due, and ends when asked (never forced).
#include <algorithm>

#include "service/display/line_display.h"

namespace {
enum : int32_t { DISP_MT_UP = 1, DISP_MT_DOWN = 2, DISP_MT_LEFT = 3, DISP_MT_RIGHT = 4, DISP_MT_INIT = 5 };
enum : int32_t { DISP_MF_WALK = 0 };
// A unit wait below this is taken as this, so a marquee never spins.
constexpr int32_t kMinUnitWaitMs = 10;

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

// Where a marquee starts and ends, as the window position along its
// direction (column for left/right, row for up/down). Walking starts with
// the viewport empty; placing starts with it full. Both end when the
// window's far edge reaches the viewport's.
struct Track {
  int32_t start, end, step;
};

Track TrackOf(const CDisplayWindow& w) {
  const bool vertical = w.marqueeType == DISP_MT_UP || w.marqueeType == DISP_MT_DOWN;
  const int32_t size = vertical ? w.Rows() : w.Columns();
  const int32_t view = vertical ? w.View().height : w.View().width;
  const int32_t last = std::max(size - view, 0);
  const bool walk = w.marqueeFormat == DISP_MF_WALK;
  if (w.marqueeType == DISP_MT_UP || w.marqueeType == DISP_MT_LEFT) return {walk ? -view : 0, last, 1};
  return {walk ? size : last, 0, -1};
}
}  // namespace

void CLineDisplay::StartWorker() {
  std::lock_guard<std::mutex> lock(mutex_);
  stopWorker_ = false;
  worker_ = std::thread(&CLineDisplay::WorkerThread, this);
}

void CLineDisplay::StopWorker() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    FinishTeletype();
    stopWorker_ = true;
  }
  WakeWorker();
  if (worker_.joinable()) worker_.join();
}

// Under mutex_: the rest of every teletype text at once.
void CLineDisplay::FinishTeletype() {
  if (teletype_.empty()) return;
  std::vector<size_t> touched;
  for (Teletype& t : teletype_) {
    if (t.window >= windows_.size()) continue;
    windows_[t.window]->Write(t.bytes.substr(t.next), t.attr, true);
    if (!cursorUpdate_) windows_[t.window]->SetCursor(t.startRow, t.startColumn);
    touched.push_back(t.window);
  }
  teletype_.clear();
  if (!deviceEnabled_) return;
  for (size_t w : touched) DrawWindow(w);
}

void CLineDisplay::StepMarquee(size_t index) {
  CDisplayWindow& w = *windows_[index];
  Marquee& m = marquees_[index];
  const Track track = TrackOf(w);
  const bool vertical = w.marqueeType == DISP_MT_UP || w.marqueeType == DISP_MT_DOWN;
  const auto now = Clock::now();
  if (!m.running) {
    m.running = true;
    m.position = track.start;
  } else if (m.position == track.end) {
    m.position = track.start;  // the repeat wait is over
  } else {
    m.position += track.step;
  }
  if (vertical) {
    w.SetOffset(m.position, 0);
  } else {
    w.SetOffset(0, m.position);
  }
  if (deviceEnabled_) DrawWindow(index);
  const int32_t wait = m.position == track.end ? w.marqueeRepeatWait : w.marqueeUnitWait;
  m.due = now + milliseconds(std::max(wait, kMinUnitWaitMs));
}

bool CLineDisplay::WorkerStep(Lock& lock) {
  const auto now = Clock::now();
  auto next = Clock::time_point::max();
  if (!teletype_.empty()) {
    Teletype& t = teletype_.front();
    if (t.due <= now) {
      CDisplayWindow& w = *windows_[t.window];
      w.Write(t.bytes.substr(t.next, 1), t.attr, true);
      ++t.next;
      if (deviceEnabled_) DrawWindow(t.window);
      t.due = now + milliseconds(w.interCharacterWait);
      if (t.next >= t.bytes.size()) {
        if (!cursorUpdate_) w.SetCursor(t.startRow, t.startColumn);
        teletype_.pop_front();
      }
      return true;
    }
    next = t.due;
  }
  const CDisplayWindow& w = *windows_[current_];
  if (deviceEnabled_ && w.marqueeType != 0 && w.marqueeType != DISP_MT_INIT) {
    Marquee& m = marquees_[current_];
    if (!m.running || m.due <= now) {
      StepMarquee(current_);
      return true;
    }
    next = std::min(next, m.due);
  }
  if (next == Clock::time_point::max()) {
    workerWake_.wait(lock);
  } else {
    workerWake_.wait_until(lock, next);
  }
  return false;
}

void CLineDisplay::WorkerThread() {
  Lock lock(mutex_);
  while (!stopWorker_) WorkerStep(lock);
}
