// Event delivery, the properties, waiting for the drawer to close, and the
// health check.
#include "common/opos.h"
#include "common/trace.h"
#include "platform/owner_thread.h"
#include "platform/system.h"
#include "service/common/control_object.h"
#include "service/drawer/cash_drawer.h"

using namespace opos;

namespace {
constexpr uint32_t kPumpSliceMs = 100;

// Published OPOS property indices the drawer answers.
enum : int32_t {
  PIDX_Claimed = 1,
  PIDX_DeviceEnabled = 3,
  PIDX_FreezeEvents = 4,
  PIDX_ResultCode = 6,
  PIDX_ResultCodeExtended = 7,
  PIDX_ServiceObjectVersion = 8,
  PIDX_State = 9,
  PIDX_PowerNotify = 13,
  PIDX_PowerState = 14,
  PIDX_CapPowerReporting = 501,
  PIDX_CapStatisticsReporting = 502,
  PIDX_CapUpdateStatistics = 503,
  PIDXCash_DrawerOpened = 1001,
  PIDXCash_CapStatus = 1501,
  PIDXCash_CapStatusMultiDrawerDetect = 1502,
  PIDX_CheckHealthText = 1000001,
  PIDX_DeviceDescription = 1000002,
  PIDX_DeviceName = 1000003,
  PIDX_ServiceObjectDescription = 1000004,
};

const char kHealthy[] = "CheckHealth: Successful";
}  // namespace

// ---- Events ------------------------------------------------------------

void CCashDrawer::PostStatus(int32_t value) { events_.PostEvent(MakeStatusUpdateEvent(value)); }

// Owner thread. A drawer or power event that a newer one of its kind has
// overtaken is dropped: after open-then-close only the close arrives. Nor
// is the application told again what it was told last, which a backlog of
// open, close, open, ... would otherwise repeat.
void CCashDrawer::Deliver(CEventRecord& record) {
  if (record.type != EVENT_STATUSUPDATE) return;
  const int32_t v = record.value1;
  if (v == OPOS_SUE_POWER_ONLINE || v == OPOS_SUE_POWER_OFF_OFFLINE) {
    if (v != lastReportedPower_ || v == deliveredPower_) return;
    deliveredPower_ = v;
  }
  if (v == CASH_SUE_DRAWERCLOSED || v == CASH_SUE_DRAWEROPEN) {
    if (v != lastReportedDrawer_ || v == deliveredDrawer_) return;
    deliveredDrawer_ = v;
  }
  if (controlObject_) controlObject_->SOStatusUpdate(statusUpdateId_, v);
  Trace("StatusUpdate %d", v);
}

int32_t CCashDrawer::COFreezeEvents(int32_t freeze) {
  coFreezeEvents_ = freeze;
  events_.SetCOFreezeEvents(freeze);
  return OPOS_SUCCESS;
}

// ---- Properties --------------------------------------------------------

int32_t CCashDrawer::GetPropertyNumber(int32_t index) {
  switch (index) {
    case PIDX_Claimed: return claimed_;
    case PIDX_DeviceEnabled: return deviceEnabled_;
    case PIDX_FreezeEvents: return freezeEvents_;
    case PIDX_ResultCode: return resultCode_;
    case PIDX_ResultCodeExtended: return resultCodeExtended_;
    case PIDX_ServiceObjectVersion: return kServiceObjectVersion;
    case PIDX_State: return state_;
    case PIDX_PowerNotify: return powerNotify_;
    case PIDX_PowerState: return powerState_;
    case PIDX_CapPowerReporting: return capPowerReporting_;
    case PIDX_CapStatisticsReporting: return 1;
    case PIDX_CapUpdateStatistics: return 1;
    case PIDXCash_DrawerOpened: return drawerOpened_;
    case PIDXCash_CapStatus: return 1;
    case PIDXCash_CapStatusMultiDrawerDetect: return 1;
    default: return 0;
  }
}

std::string CCashDrawer::GetPropertyString(int32_t index) {
  switch (index) {
    case PIDX_CheckHealthText: return checkHealthText_;
    case PIDX_DeviceDescription: return deviceDescription_;
    case PIDX_DeviceName: return deviceName_;
    case PIDX_ServiceObjectDescription: return serviceObjectDescription_;
    default: return std::string();
  }
}

void CCashDrawer::SetPropertyNumber(int32_t index, int32_t value) {
  switch (index) {
    case PIDX_DeviceEnabled:
      SetDeviceEnabled(value);
      break;
    case PIDX_FreezeEvents:
      freezeEvents_ = value;
      events_.SetFreezeEvents(value);
      Result(OPOS_SUCCESS);
      break;
    case PIDX_PowerNotify:
      if (deviceEnabled_ || (value != OPOS_PN_DISABLED && value != OPOS_PN_ENABLED)) {
        Result(OPOS_E_ILLEGAL);
      } else {
        powerNotify_ = value;
        Result(OPOS_SUCCESS);
      }
      break;
    default:
      break;
  }
}

void CCashDrawer::SetPropertyString(int32_t, const std::string&) {}

// ---- Waiting for the drawer to close -----------------------------------

// Dispatches the owner thread's messages (so status events reach the
// application) until milliseconds have passed.
void CCashDrawer::PumpFor(uint32_t milliseconds) {
  const uint32_t start = platform::TickCount();
  for (;;) {
    const uint32_t elapsed = platform::TickCount() - start;
    if (elapsed >= milliseconds) return;
    const uint32_t left = milliseconds - elapsed;
    platform::PumpMessages(static_cast<int>(left < kPumpSliceMs ? left : kPumpSliceMs));
  }
}

// The time-out is compared without sign, so -1 (OPOS_FOREVER) never ends.
// An event handler may disable or close the drawer while this pumps; no
// status arrives after that, so the wait ends then and says why.
int32_t CCashDrawer::WaitForDrawerClose(int32_t beepTimeout, int32_t beepFrequency, int32_t beepDuration,
                                        int32_t beepDelay) {
  if (!CheckEnabled()) return resultCode_;
  const auto waiting = [this] { return drawerOpened_ != 0 && deviceEnabled_ != 0; };
  const uint32_t start = platform::TickCount();
  const uint32_t timeout = static_cast<uint32_t>(beepTimeout);
  while (waiting() && platform::TickCount() - start < timeout) PumpFor(kPumpSliceMs);
  while (waiting()) {
    beeper_(beepFrequency, beepDuration);
    if (!waiting()) break;
    // A silent beep with no delay would spin: it waits a slice instead.
    PumpFor(beepDelay > 0 ? static_cast<uint32_t>(beepDelay) : beepDuration > 0 ? 0 : kPumpSliceMs);
  }
  if (state_ == OPOS_S_CLOSED) return Result(OPOS_E_CLOSED);
  if (!deviceEnabled_) return Result(OPOS_E_DISABLED);
  return Result(OPOS_SUCCESS);
}

// ---- CheckHealth -------------------------------------------------------

int32_t CCashDrawer::CheckHealth(int32_t level) {
  if (!CheckEnabled()) return resultCode_;
  switch (level) {
    case OPOS_CH_INTERNAL:
    case OPOS_CH_EXTERNAL:
      checkHealthText_ = kHealthy;
      return Result(OPOS_SUCCESS);
    case OPOS_CH_INTERACTIVE:
      // The dialog's Open Drawer button leaves its result here; without a
      // press the internal check answers.
      resultCode_ = -1;
      if (healthDialog_) healthDialog_(*this);
      if (resultCode_ < 0) {
        checkHealthText_ = kHealthy;
        resultCode_ = OPOS_SUCCESS;
      }
      return resultCode_;
    default:
      return Result(OPOS_E_ILLEGAL);
  }
}
