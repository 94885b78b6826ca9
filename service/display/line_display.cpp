// The display's life cycle: OpenService with its device entry and profile,
// claim, enable (the set-up commands), release and Close, and power.
#include "service/display/line_display.h"

#include <iterator>

#include "common/opos.h"
#include "common/trace.h"
#include "service/common/control_object.h"
#include "service/common/device_environment.h"
#include "service/display/display_commands.h"

using namespace opos;

CLineDisplay::CLineDisplay()
    : resultCode_(OPOS_E_CLOSED),
      state_(OPOS_S_CLOSED),
      powerState_(OPOS_PS_UNKNOWN),
      events_([this](CEventRecord& record) { Deliver(record); }) {}

CLineDisplay::~CLineDisplay() { Close(); }

int32_t CLineDisplay::Result(int32_t rc) {
  resultCode_ = rc;
  resultCodeExtended_ = 0;
  return rc;
}

bool CLineDisplay::CheckOpen() {
  if (state_ != OPOS_S_CLOSED) return true;
  Result(OPOS_E_CLOSED);
  return false;
}

bool CLineDisplay::CheckEnabled() {
  if (!CheckOpen()) return false;
  if (!claimed_) return Result(OPOS_E_NOTCLAIMED), false;
  if (!deviceEnabled_) return Result(OPOS_E_DISABLED), false;
  Result(OPOS_SUCCESS);
  return true;
}

// ---- OpenService -------------------------------------------------------

int32_t CLineDisplay::ReadConfiguration(const std::string& deviceName) {
  entry_ = DeviceEntry();
  const bool usable = ReadDeviceEntryAt(DisplayEntryKey(deviceName), MakeDeviceEntryEnvironment(), &entry_);
  deviceName_ = entry_.deviceName;
  deviceDescription_ = entry_.deviceDescription;
  serviceObjectDescription_ = entry_.description;
  serviceObjectVersion_ = entry_.hasVersion ? entry_.serviceObjectVersion : kServiceObjectVersion;
  if (!usable) return OPOS_E_ILLEGAL;
  return ReadDisplayProfile(entry_.profilePath, &profile_);
}

bool CLineDisplay::LinkControlObject(IControlObject* controlObject) {
  controlObject_ =
      LinkEventMethods(controlObject, {{"SODirectIO", &directIOId_}, {"SOStatusUpdate", &statusUpdateId_}});
  return controlObject_ != nullptr;
}

int32_t CLineDisplay::OpenService(const std::string&, const std::string& deviceName, IControlObject* controlObject) {
  if (state_ != OPOS_S_CLOSED || portClient_.Held()) return Result(OPOS_E_ILLEGAL);
  if (deviceName.empty()) return Result(OPOS_E_ILLEGAL);
  if (Result(ReadConfiguration(deviceName)) != OPOS_SUCCESS) return resultCode_;
  if (!portClient_.Acquire(deviceName, entry_)) return Result(OPOS_E_FAILURE);
  openName_ = deviceName;
  if (!LinkControlObject(controlObject)) {
    portClient_.Release();
    return Result(OPOS_E_NOSERVICE);
  }
  {
    std::lock_guard<std::mutex> lock(mutex_);
    windows_.clear();
    windows_.push_back(std::make_unique<CDisplayWindow>(
        Viewport{0, 0, profile_.rows, profile_.columns}, profile_.rows, profile_.columns));
    marquees_.assign(1, Marquee());
    current_ = 0;
    screen_ = std::make_unique<CDisplayScreen>(profile_.rows, profile_.columns);
  }
  characterSet_ = -1;
  SetCharacterSet(profile_.characterSet);
  mapCharacterSet_ = profile_.capMapCharacterSet ? 1 : 0;
  cursorUpdate_ = 1;
  cursorType_ = 0;
  deviceBrightness_ = 100;
  blinkRate_ = 500;
  freezeEvents_ = 0;
  binaryConversion_ = 0;
  powerNotify_ = OPOS_PN_DISABLED;
  powerState_ = OPOS_PS_UNKNOWN;
  if (!events_.Start()) Result(OPOS_E_FAILURE);
  state_ = OPOS_S_IDLE;
  checkHealthText_ = "Not Executed";
  StartWorker();
  Trace("End OpenService = %d", static_cast<int>(resultCode_));
  return Result(resultCode_);
}

// ---- Claim, enable, release, Close -------------------------------------

// The claim is the machine's, as the printer's: another object of this
// device, in this process or another, waits or times out. The port opens
// at claim and the display is initialised (ESC @); a port that can't be
// opened is missing hardware, one that takes no bytes a failure. Both give
// the port and the claim back.
int32_t CLineDisplay::ClaimDevice(int32_t timeout) {
  if (!CheckOpen()) return resultCode_;
  if (claimed_) return Result(OPOS_SUCCESS);
  if (Result(claim_.Claim(openName_, timeout)) != OPOS_SUCCESS) return resultCode_;
  if (!portClient_.Open(MakePortSettings(entry_), static_cast<IDisplayPortUser*>(this))) {
    claim_.Release();
    return Result(OPOS_E_NOHARDWARE);
  }
  claimed_ = 1;
  std::string init;
  StringRefSink sink(&init);
  CDisplayEncoder(sink).Initialize();
  bool sent;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    sent = Send(init);
  }
  if (sent) return Result(OPOS_SUCCESS);
  portClient_.Close();
  claimed_ = 0;
  claim_.Release();
  return Result(OPOS_E_FAILURE);
}

void CLineDisplay::SendSetUp(CDisplayEncoder& out) {
  out.Initialize();
  out.Mode(DisplayMode::kOverwrite);
  out.ClearScreen();
  screen_->Reset();
  if (profile_.codeTables.count(characterSet_)) out.CodeTable(profile_.codeTables.at(characterSet_));
  out.International(static_cast<uint8_t>(profile_.international));
  out.Cursor(cursorType_ != 0);
  out.Blink(0);
  screen_->SetBlinkUnits(blinkRate_ / display_commands::kBlinkUnitMs, out);
}

void CLineDisplay::Enable() {
  writeFailed_ = false;
  lastReportedPower_ = -1;
  deviceEnabled_ = 1;
  if (lastSeenPower_ != 0) ReportPower(lastSeenPower_);
  Lock lock(mutex_);
  std::string bytes;
  StringRefSink sink(&bytes);
  CDisplayEncoder out(sink);
  SendSetUp(out);
  screen_->SetBrightness(BrightnessLevel(), out);
  screen_->Draw(Current(), out);
  if (!Send(bytes)) {
    deviceEnabled_ = 0;
    Result(OPOS_E_FAILURE);
    return;
  }
  Result(OPOS_SUCCESS);
}

void CLineDisplay::Disable() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    FinishTeletype();
  }
  deviceEnabled_ = 0;
  powerState_ = OPOS_PS_UNKNOWN;
  events_.Clear();
  Result(OPOS_SUCCESS);
}

void CLineDisplay::SetDeviceEnabled(int32_t value) {
  if (!CheckOpen()) return;
  if (!claimed_) {
    Result(OPOS_E_NOTCLAIMED);
    return;
  }
  Result(OPOS_SUCCESS);
  const int32_t wanted = value != 0 ? 1 : 0;
  if (wanted == deviceEnabled_) return;
  if (wanted) {
    Enable();
  } else {
    Disable();
  }
}

int32_t CLineDisplay::ReleaseDevice() {
  if (!CheckOpen()) return resultCode_;
  if (!claimed_) return Result(OPOS_E_ILLEGAL);
  if (deviceEnabled_) Disable();
  claimed_ = 0;
  portClient_.Close();
  claim_.Release();
  return Result(OPOS_SUCCESS);
}

int32_t CLineDisplay::Close() {
  if (state_ == OPOS_S_CLOSED && !portClient_.Held()) return Result(OPOS_SUCCESS);
  if (claimed_) ReleaseDevice();
  StopWorker();
  events_.Stop();
  state_ = OPOS_S_CLOSED;
  portClient_.Release();
  controlObject_ = nullptr;
  return Result(OPOS_SUCCESS);
}

// ---- Port writes and power ---------------------------------------------

// Under mutex_. A short write marks the display failed until the next
// enable; the caller reports it.
bool CLineDisplay::Send(const std::string& bytes) {
  if (bytes.empty()) return true;
  const auto length = static_cast<int32_t>(bytes.size());
  if (portClient_.Write(reinterpret_cast<const uint8_t*>(bytes.data()), length) == length) return true;
  writeFailed_ = true;
  screen_->Forget();
  return false;
}

// The port reports changes only: the last one seen is kept, so an enable
// after the port came on line still learns the state.
void CLineDisplay::OnDisplayPower(int32_t state) {
  const int32_t power = state == OPOS_PS_ONLINE ? OPOS_PS_ONLINE : OPOS_PS_OFF_OFFLINE;
  lastSeenPower_ = power;
  ReportPower(power);
}

void CLineDisplay::ReportPower(int32_t power) {
  if (powerNotify_ != OPOS_PN_ENABLED || !deviceEnabled_) return;
  powerState_ = power;
  if (lastReportedPower_.exchange(power) == power) return;
  PostStatus(power == OPOS_PS_ONLINE ? OPOS_SUE_POWER_ONLINE : OPOS_SUE_POWER_OFF_OFFLINE);
}

void CLineDisplay::PostStatus(int32_t value) { events_.PostEvent(MakeStatusUpdateEvent(value)); }

// Owner thread.
void CLineDisplay::Deliver(CEventRecord& record) {
  if (!controlObject_) return;
  if (record.type == EVENT_STATUSUPDATE) {
    controlObject_->SOStatusUpdate(statusUpdateId_, record.value1);
    Trace("StatusUpdate %d", record.value1);
  } else if (record.type == EVENT_DIRECTIO) {
    int32_t data = record.value2;
    controlObject_->SODirectIO(directIOId_, record.value1, &data, &record.text);
  }
}

int32_t CLineDisplay::COFreezeEvents(int32_t freeze) {
  events_.SetCOFreezeEvents(freeze);
  return OPOS_SUCCESS;
}
