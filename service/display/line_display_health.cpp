// CheckHealth and DirectIO.
#include <chrono>
#include <thread>

#include "common/opos.h"
#include "platform/owner_thread.h"
#include "service/display/line_display.h"

using namespace opos;

namespace {
// DirectIO command: the string's bytes go to the display as they are;
// data gives back the count written.
constexpr int32_t kDirectIOWrite = 1;

struct HealthTexts {
  const char* good;
  const char* bad;
};
const HealthTexts kHealthTexts[] = {
    {"Internal HCheck: Successful", "Internal HCheck: Failed"},
    {"External HCheck: Successful", "External HCheck: Failed"},
    {"Interactive HCheck: Successful", "Interactive HCheck: Failed"},
};
}  // namespace

// Every row filled from a running sequence of letters and digits, the row
// number first, so a missing row or a shifted column shows.
void CLineDisplay::ShowTestPattern() {
  static const char kCharacters[] = "0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ";
  CDisplayWindow pattern(Viewport{0, 0, profile_.rows, profile_.columns}, profile_.rows, profile_.columns);
  std::string text;
  for (int32_t r = 0; r < profile_.rows; ++r)
    for (int32_t c = 0; c < profile_.columns; ++c) text += kCharacters[(r + c) % (sizeof kCharacters - 1)];
  pattern.Write(text, 0, false);
  std::string bytes;
  StringRefSink sink(&bytes);
  CDisplayEncoder out(sink);
  screen_->Draw(pattern, out);
  Send(bytes);
}

// Level 1 asks the display to take a command (the brightness in force);
// levels 2 and 3 show the test pattern for a while, then the current
// window again. The port's answer decides the result.
int32_t CLineDisplay::CheckHealth(int32_t level) {
  if (!CheckEnabled()) return resultCode_;
  if (level < OPOS_CH_INTERNAL || level > OPOS_CH_INTERACTIVE) return Result(OPOS_E_ILLEGAL);
  bool good;
  {
    Lock lock(mutex_);
    FinishTeletype();
    std::string bytes;
    StringRefSink sink(&bytes);
    CDisplayEncoder out(sink);
    if (BrightnessLevel() > 0) out.Brightness(BrightnessLevel());
    writeFailed_ = false;
    good = Send(bytes);
    if (good && level != OPOS_CH_INTERNAL && BrightnessLevel() > 0) ShowTestPattern();
    good = good && !writeFailed_;
  }
  if (good && level != OPOS_CH_INTERNAL && BrightnessLevel() > 0) {
    // The owner thread keeps delivering events while the pattern shows.
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kPatternMs);
    while (std::chrono::steady_clock::now() < end) platform::PumpMessages(20);
    Lock lock(mutex_);
    for (size_t i = 0; i < windows_.size(); ++i)
      if (i != current_) DrawWindow(i);
    good = DrawWindow(current_) && !writeFailed_;
  }
  const HealthTexts& texts = kHealthTexts[level - 1];
  checkHealthText_ = good ? texts.good : texts.bad;
  return Result(good ? OPOS_SUCCESS : OPOS_E_FAILURE);
}

int32_t CLineDisplay::DirectIO(int32_t command, int32_t* data, std::string* text) {
  if (!CheckEnabled()) return resultCode_;
  if (command != kDirectIOWrite || text == nullptr) return Result(OPOS_E_ILLEGAL);
  Lock lock(mutex_);
  FinishTeletype();
  // What the bytes do to the screen is not known: draw everything next.
  const bool sent = Send(*text);
  screen_->Forget();
  if (data) *data = sent ? static_cast<int32_t>(text->size()) : 0;
  return Result(sent ? OPOS_SUCCESS : OPOS_E_FAILURE);
}
