// The display's properties: reading, and writing with the standard's
// range checks (106 for a value out of range or a capability the model
// lacks).
#include "common/codepage/code_page.h"
#include "common/opos.h"
#include "service/display/display_commands.h"
#include "service/display/display_property_index.h"
#include "service/display/line_display.h"

using namespace opos;
namespace pidx = disp_pidx;

namespace {
enum : int32_t { DISP_MT_NONE = 0, DISP_MT_INIT = 5, DISP_MF_PLACE = 1 };
enum : int32_t { DISP_CT_NONE = 0, DISP_CT_FIXED = 1, DISP_CCT_FIXED = 1 };
enum : int32_t { DISP_CCS_ALPHA = 1, DISP_CS_ASCII = 998, DISP_CS_WINDOWS = 999 };

// 998 is plain ASCII (sent with the 437 table, mapped to its lower half
// only); 999 the Windows Latin set.
const codepage::Table* TableOf(int32_t characterSet) {
  if (characterSet == DISP_CS_ASCII) return codepage::Find(437);
  if (characterSet == DISP_CS_WINDOWS) return codepage::Find(1252);
  return codepage::Find(characterSet);
}
}  // namespace

int32_t CLineDisplay::GetPropertyNumber(int32_t index) {
  std::lock_guard<std::mutex> lock(mutex_);
  const CDisplayWindow* w = windows_.empty() ? nullptr : windows_[current_].get();
  switch (index) {
    case pidx::Claimed: return claimed_;
    case pidx::DeviceEnabled: return deviceEnabled_;
    case pidx::FreezeEvents: return freezeEvents_;
    case pidx::ResultCode: return resultCode_;
    case pidx::ResultCodeExtended: return resultCodeExtended_;
    case pidx::ServiceObjectVersion: return serviceObjectVersion_;
    case pidx::State: return state_;
    case pidx::BinaryConversion: return binaryConversion_;
    case pidx::PowerNotify: return powerNotify_;
    case pidx::PowerState: return powerState_;
    case pidx::CapPowerReporting: return capPowerReporting_;
    case pidx::CharacterSet: return characterSet_;
    case pidx::Columns: return w ? w->Columns() : 0;
    case pidx::Rows: return w ? w->Rows() : 0;
    case pidx::CurrentWindow: return static_cast<int32_t>(current_);
    case pidx::CursorColumn: return w ? w->CursorColumn() : 0;
    case pidx::CursorRow: return w ? w->CursorRow() : 0;
    case pidx::CursorUpdate: return cursorUpdate_;
    case pidx::CursorType: return cursorType_;
    case pidx::DeviceBrightness: return deviceBrightness_;
    case pidx::DeviceColumns: return profile_.columns;
    case pidx::DeviceRows: return profile_.rows;
    case pidx::DeviceWindows: return profile_.deviceWindows;
    case pidx::InterCharacterWait: return w ? w->interCharacterWait : 0;
    case pidx::MarqueeRepeatWait: return w ? w->marqueeRepeatWait : 0;
    case pidx::MarqueeType: return w ? w->marqueeType : 0;
    case pidx::MarqueeUnitWait: return w ? w->marqueeUnitWait : 0;
    case pidx::MarqueeFormat: return w ? w->marqueeFormat : 0;
    case pidx::BlinkRate: return blinkRate_;
    case pidx::MapCharacterSet: return mapCharacterSet_;
    case pidx::CapBlink: return profile_.capBlink;
    case pidx::CapBrightness: return profile_.capBrightness;
    case pidx::CapCharacterSet: return DISP_CCS_ALPHA;
    case pidx::CapHMarquee: return profile_.capHMarquee;
    case pidx::CapICharWait: return profile_.capICharWait;
    case pidx::CapVMarquee: return profile_.capVMarquee;
    case pidx::CapBlinkRate: return profile_.capBlinkRate;
    case pidx::CapCursorType: return profile_.capCursorType;
    case pidx::CapReverse: return profile_.capReverse;
    case pidx::CapMapCharacterSet: return profile_.capMapCharacterSet;
    default: return 0;  // descriptors, glyphs, bitmaps, screen modes, statistics, firmware
  }
}

std::string CLineDisplay::GetPropertyString(int32_t index) {
  switch (index) {
    case pidx::CheckHealthText: return checkHealthText_;
    case pidx::DeviceDescription: return deviceDescription_;
    case pidx::DeviceName: return deviceName_;
    case pidx::ServiceObjectDescription: return serviceObjectDescription_;
    case pidx::CharacterSetList: return profile_.characterSetList;
    default: return std::string();
  }
}

void CLineDisplay::SetPropertyString(int32_t, const std::string&) {
  if (CheckOpen()) Result(OPOS_E_ILLEGAL);
}

int32_t CLineDisplay::SetCharacterSet(int32_t value) {
  if (profile_.codeTables.count(value) == 0) return Result(OPOS_E_ILLEGAL);
  const codepage::Table* table = TableOf(value);
  std::lock_guard<std::mutex> lock(mutex_);
  characterSet_ = value;
  table_ = table;
  if (!deviceEnabled_) return Result(OPOS_SUCCESS);
  std::string bytes;
  StringRefSink sink(&bytes);
  CDisplayEncoder(sink).CodeTable(profile_.codeTables.at(value));
  return Result(Send(bytes) ? OPOS_SUCCESS : OPOS_E_FAILURE);
}

// 0..100 rounds up to the next of the display's four levels (20, 40, 60,
// 100 percent); 0 blanks it.
int32_t CLineDisplay::BrightnessLevel() const {
  using display_commands::kBrightnessPercent;
  if (deviceBrightness_ <= 0) return 0;
  int32_t level = 1;
  while (level < display_commands::kBrightnessLevels && kBrightnessPercent[level - 1] < deviceBrightness_) ++level;
  return level;
}

int32_t CLineDisplay::SetLookProperty(int32_t index, int32_t value) {
  Lock lock(mutex_);
  std::string bytes;
  StringRefSink sink(&bytes);
  CDisplayEncoder out(sink);
  if (index == pidx::DeviceBrightness) {
    if (value < 0 || value > 100) return Result(OPOS_E_ILLEGAL);
    if (!profile_.capBrightness && value != 0 && value != 100) return Result(OPOS_E_ILLEGAL);
    deviceBrightness_ = value;
    if (value > 0) deviceBrightness_ = display_commands::kBrightnessPercent[BrightnessLevel() - 1];
    if (deviceEnabled_) screen_->SetBrightness(BrightnessLevel(), out);
  } else if (index == pidx::BlinkRate) {
    if (!profile_.capBlinkRate || value < display_commands::kBlinkUnitMs ||
        value > display_commands::kBlinkUnitMs * display_commands::kBlinkMaxUnits) {
      return Result(OPOS_E_ILLEGAL);
    }
    blinkRate_ = value;
    screen_->SetBlinkUnits(value / display_commands::kBlinkUnitMs, out);
  } else {  // CursorType
    const bool known = value == DISP_CT_NONE || (value == DISP_CT_FIXED && (profile_.capCursorType & DISP_CCT_FIXED));
    if (!known) return Result(OPOS_E_ILLEGAL);
    cursorType_ = value;
    if (deviceEnabled_) {
      screen_->SetCursorShown(value != 0, out);
      screen_->Draw(Current(), out);
    }
  }
  if (!deviceEnabled_) return Result(OPOS_SUCCESS);
  return Result(Send(bytes) ? OPOS_SUCCESS : OPOS_E_FAILURE);
}

int32_t CLineDisplay::SetCursorProperty(int32_t index, int32_t value) {
  Lock lock(mutex_);
  FinishTeletype();
  CDisplayWindow& w = Current();
  const int32_t row = index == pidx::CursorRow ? value : w.CursorRow();
  const int32_t column = index == pidx::CursorColumn ? value : w.CursorColumn();
  if (!w.SetCursor(row, column)) return Result(OPOS_E_ILLEGAL);
  if (!deviceEnabled_ || Animating(current_)) return Result(OPOS_SUCCESS);
  return Result(DrawWindow(current_) ? OPOS_SUCCESS : OPOS_E_FAILURE);
}

// The current window's marquee and teletype settings. A marquee starts when
// its type leaves INIT (or NONE) for a direction, and stops at NONE, which
// also puts the window back at its start.
int32_t CLineDisplay::SetWindowProperty(int32_t index, int32_t value) {
  Lock lock(mutex_);
  CDisplayWindow& w = Current();
  if (value < 0) return Result(OPOS_E_ILLEGAL);
  switch (index) {
    case pidx::InterCharacterWait:
      if (value != 0 && !profile_.capICharWait) return Result(OPOS_E_ILLEGAL);
      FinishTeletype();
      w.interCharacterWait = value;
      return Result(OPOS_SUCCESS);
    case pidx::MarqueeUnitWait: w.marqueeUnitWait = value; return Result(OPOS_SUCCESS);
    case pidx::MarqueeRepeatWait: w.marqueeRepeatWait = value; return Result(OPOS_SUCCESS);
    case pidx::MarqueeFormat:
      if (value > DISP_MF_PLACE) return Result(OPOS_E_ILLEGAL);
      w.marqueeFormat = value;
      return Result(OPOS_SUCCESS);
    default: break;  // MarqueeType
  }
  const bool vertical = value == 1 || value == 2, horizontal = value == 3 || value == 4;
  if (value > DISP_MT_INIT || (vertical && !profile_.capVMarquee) || (horizontal && !profile_.capHMarquee)) {
    return Result(OPOS_E_ILLEGAL);
  }
  FinishTeletype();
  w.marqueeType = value;
  marquees_[current_] = Marquee();
  if (value == DISP_MT_NONE || value == DISP_MT_INIT) w.SetOffset(0, 0);
  if (value == DISP_MT_INIT || !deviceEnabled_) return Result(OPOS_SUCCESS);
  if (value == DISP_MT_NONE) return Result(DrawWindow(current_) ? OPOS_SUCCESS : OPOS_E_FAILURE);
  WakeWorker();
  return Result(OPOS_SUCCESS);
}

void CLineDisplay::SetPropertyNumber(int32_t index, int32_t value) {
  if (!CheckOpen()) return;
  Result(OPOS_SUCCESS);
  switch (index) {
    case pidx::DeviceEnabled: SetDeviceEnabled(value); return;
    case pidx::FreezeEvents:
      freezeEvents_ = value != 0;
      events_.SetFreezeEvents(freezeEvents_);
      return;
    case pidx::BinaryConversion:
      if (value < OPOS_BC_NONE || value > OPOS_BC_DECIMAL) Result(OPOS_E_ILLEGAL);
      else binaryConversion_ = value;
      return;
    case pidx::PowerNotify:
      if (deviceEnabled_ || value < OPOS_PN_DISABLED || value > OPOS_PN_ENABLED) Result(OPOS_E_ILLEGAL);
      else powerNotify_ = value;
      return;
    case pidx::CharacterSet: SetCharacterSet(value); return;
    case pidx::MapCharacterSet:
      if (value && !profile_.capMapCharacterSet) Result(OPOS_E_ILLEGAL);
      else mapCharacterSet_ = value != 0;
      return;
    case pidx::CursorUpdate: cursorUpdate_ = value != 0; return;
    case pidx::CurrentWindow: {
      std::lock_guard<std::mutex> lock(mutex_);
      if (value < 0 || static_cast<size_t>(value) >= windows_.size()) Result(OPOS_E_ILLEGAL);
      else current_ = static_cast<size_t>(value);
      return;
    }
    case pidx::CursorRow:
    case pidx::CursorColumn: SetCursorProperty(index, value); return;
    case pidx::DeviceBrightness:
    case pidx::BlinkRate:
    case pidx::CursorType: SetLookProperty(index, value); return;
    case pidx::InterCharacterWait:
    case pidx::MarqueeUnitWait:
    case pidx::MarqueeRepeatWait:
    case pidx::MarqueeFormat:
    case pidx::MarqueeType: SetWindowProperty(index, value); return;
    default: Result(OPOS_E_ILLEGAL); return;  // read-only or unknown
  }
}
