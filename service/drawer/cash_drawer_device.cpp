// Enabling and disabling, the drawer kick, and the status the port's
// monitor thread reports.
#include <iterator>

#include "common/opos.h"
#include "platform/system.h"
#include "service/drawer/cash_drawer.h"
#include "service/drawer/drawer_commands.h"

using namespace opos;

namespace {

constexpr int32_t kOffLineBit = 0x08;
constexpr int32_t kSenseBit = 0x04;

// A pulse time in ms as the kick's 2 ms units: halved first, then held to
// what one byte can carry, so a longer setting never gives a shorter pulse.
uint8_t PulseUnits(int32_t milliseconds) {
  if (milliseconds <= 0) return 0;
  const int32_t units = milliseconds / 2;
  return static_cast<uint8_t>(units > 0xFF ? 0xFF : units);
}

int32_t Length(const uint8_t* begin, const uint8_t* end) { return static_cast<int32_t>(end - begin); }

}  // namespace

std::string DrawerKickBytes(int32_t connectorPinNo, int32_t pulseOnTime, int32_t pulseOffTime) {
  using namespace drawer_commands;
  std::string bytes(std::begin(kKickPrefix), std::end(kKickPrefix));
  bytes += static_cast<char>(connectorPinNo & 0xFF);
  bytes += static_cast<char>(PulseUnits(pulseOnTime));
  bytes += static_cast<char>(PulseUnits(pulseOffTime));
  return bytes;
}

// ---- DeviceEnabled -----------------------------------------------------

// Power too starts unseen, as the printer's does: else an enable after a
// disable would never report the port on line, nor set PowerState.
void CCashDrawer::ForgetReported() {
  lastSeenPower_ = 0;
  lastReportedPower_ = -1;
  lastReportedDrawer_ = -1;
  deliveredPower_ = -1;
  deliveredDrawer_ = -1;
}

void CCashDrawer::Enable() {
  using namespace drawer_commands;
  Result(OPOS_E_ILLEGAL);
  ForgetReported();
  if (!portClient_.Open(MakePortSettings(port_), this)) {
    Result(OPOS_E_FAILURE);
    return;
  }
  portClient_.Clear();
  deviceEnabled_ = 1;
  const int32_t length = Length(std::begin(kStatusBack), std::end(kStatusBack));
  if (portClient_.Write(kStatusBack, length) < length) {
    deviceEnabled_ = 0;
    portClient_.Close();
    Result(OPOS_E_FAILURE);
    return;
  }
  Result(OPOS_SUCCESS);
}

void CCashDrawer::Disable() {
  deviceEnabled_ = 0;
  // Detaching waits for a status callback already past its enabled check,
  // so neither its power state nor its events outlive the disable.
  portClient_.Close();
  powerState_ = OPOS_PS_UNKNOWN;
  events_.Clear();
  Result(OPOS_SUCCESS);
  ForgetReported();
}

// Enabling needs the claim, else the claim would not keep a second
// application from kicking the drawer.
void CCashDrawer::SetDeviceEnabled(int32_t value) {
  if (!claimed_ && value != 0) {
    Result(OPOS_E_NOTCLAIMED);
    return;
  }
  const int32_t wanted = value != 0 ? 1 : 0;
  if (wanted == deviceEnabled_) return;
  if (wanted) {
    Enable();
  } else {
    Disable();
  }
}

// ---- The kick ----------------------------------------------------------

int32_t CCashDrawer::OpenDrawer() {
  using namespace drawer_commands;
  if (!CheckEnabled()) return resultCode_;
  const std::string kick = DrawerKickBytes(connectorPinNo_, pulseOnTime_, pulseOffTime_);
  const int32_t length = static_cast<int32_t>(kick.size());
  CountKick(portClient_.Write(reinterpret_cast<const uint8_t*>(kick.data()), length) == length);
  platform::SleepMs(kKickSettleMs);
  portClient_.Write(kStatusBack, Length(std::begin(kStatusBack), std::end(kStatusBack)));
  return Result(OPOS_SUCCESS);
}

// ---- Status from the monitor thread ------------------------------------

void CCashDrawer::OnDrawerStatus(int32_t status) {
  if (deviceEnabled_ != 1) return;
  if (statusProbe_) statusProbe_();
  const bool offLine = (status & kOffLineBit) != 0;
  const bool sense = (status & kSenseBit) != 0;
  const int32_t drawer = offLine ? 0 : (openLevel_ != 0 ? sense : !sense);
  drawerOpened_ = drawer;
  CountDrawerSeen(drawer != 0);
  if (drawer != lastReportedDrawer_) {
    lastReportedDrawer_ = drawer;
    PostStatus(drawer ? CASH_SUE_DRAWEROPEN : CASH_SUE_DRAWERCLOSED);
  }

  // Power changes only: on line after anything else, off line after on line.
  const bool cameOnLine = !offLine && lastSeenPower_ != OPOS_PS_ONLINE;
  const bool wentOffLine = offLine && lastSeenPower_ == OPOS_PS_ONLINE;
  if (!cameOnLine && !wentOffLine) return;
  const int32_t power = offLine ? OPOS_SUE_POWER_OFF_OFFLINE : OPOS_SUE_POWER_ONLINE;
  if (powerNotify_ == OPOS_PN_ENABLED) {
    powerState_ = power;
    if (power != lastReportedPower_) {
      lastReportedPower_ = power;
      PostStatus(power);
    }
  }
  lastSeenPower_ = power;
}
