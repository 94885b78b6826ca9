// CCashDrawer: the OPOS CashDrawer Service Object, portable part. The drawer
// hangs on the kick-out connector of a registered POS printer: it kicks the
// drawer through the printer's port (user 2 of the shared port object) and
// reads the drawer's sense line and the printer's on-line state from the
// automatic status the port's monitor thread polls.
//
// Threads: every automation member on the thread that called OpenService
// (the owner thread), which also runs event delivery while it pumps
// messages. OnDrawerStatus runs on the port's monitor thread; what it
// writes (DrawerOpened, PowerState and the last seen and reported values)
// are single atomic words.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "service/common/device_entry.h"
#include "service/common/event_dispatcher.h"
#include "service/common/port_client.h"
#include "service/common/service_claim.h"
#include "service/common/service_statistics.h"
#include "service/port/port_users.h"

class IControlObject;

class CCashDrawer : public IDrawerPortUser {
 public:
  static constexpr int32_t kServiceObjectVersion = 1009001;

  CCashDrawer();
  ~CCashDrawer() override;  // closes the service if it is still open
  CCashDrawer(const CCashDrawer&) = delete;
  CCashDrawer& operator=(const CCashDrawer&) = delete;

  // Automation surface, in dispatch-table order.
  int32_t COFreezeEvents(int32_t freeze);
  int32_t CheckHealth(int32_t level);
  int32_t ClaimDevice(int32_t timeout);
  int32_t Close();
  int32_t DirectIO(int32_t command, int32_t* data, std::string* text);
  int32_t GetPropertyNumber(int32_t index);
  std::string GetPropertyString(int32_t index);
  int32_t OpenDrawer();
  int32_t OpenService(const std::string& deviceClass, const std::string& deviceName, IControlObject* controlObject);
  int32_t ReleaseDevice();
  void SetPropertyNumber(int32_t index, int32_t value);
  void SetPropertyString(int32_t index, const std::string& value);
  int32_t WaitForDrawerClose(int32_t beepTimeout, int32_t beepFrequency, int32_t beepDuration, int32_t beepDelay);
  int32_t ResetStatistics(const std::string& names);
  int32_t RetrieveStatistics(std::string* statistics);
  int32_t UpdateStatistics(const std::string& statistics);
  int32_t CompareFirmwareVersion(const std::string& fileName, int32_t* result);
  int32_t UpdateFirmware(const std::string& fileName);

  // The port's monitor thread: the status block as a little-endian value,
  // or 8 when the port went off line.
  void OnDrawerStatus(int32_t status) override;

  // The interactive check (level 3) shows this dialog modally; without one
  // the check falls back to the internal check at once.
  void SetHealthDialog(std::function<void(CCashDrawer&)> dialog) { healthDialog_ = std::move(dialog); }
  // Tests: runs on the monitor thread inside OnDrawerStatus once a status
  // has been accepted, before anything is written. Set it while no status
  // can arrive.
  void SetStatusProbeForTesting(std::function<void()> probe) { statusProbe_ = std::move(probe); }
  // The tone WaitForDrawerClose sounds (platform::Beep by default).
  void SetBeeper(std::function<void(int32_t frequency, int32_t durationMs)> beeper) { beeper_ = std::move(beeper); }

  // What the check-health dialog shows.
  int32_t ResultCode() const { return resultCode_; }
  int32_t ResultCodeExtended() const { return resultCodeExtended_; }
  int32_t PowerState() const { return powerState_; }
  bool DrawerOpened() const { return drawerOpened_ != 0; }
  const std::string& DeviceName() const { return deviceName_; }
  const std::string& DeviceDescription() const { return deviceDescription_; }
  const std::string& ServiceObjectDescription() const { return serviceObjectDescription_; }
  // The port settings read by OpenService.
  const DeviceEntry& Port() const { return port_; }

 private:
  int32_t Result(int32_t rc);  // also clears ResultCodeExtended
  bool CheckEnabled();
  int32_t ReadDeviceEntry(const std::string& deviceName);
  void ReadPrinterPort(const std::string& printerName);
  bool LinkControlObject(IControlObject* controlObject);
  void SetDeviceEnabled(int32_t value);
  void Enable();
  void Disable();
  void ForgetReported();
  void Deliver(CEventRecord& record);  // owner thread
  void PostStatus(int32_t value);
  void PumpFor(uint32_t milliseconds);

  // Statistics (drawer_statistics.cpp).
  static std::vector<StatisticDefinition> StatisticsTable();
  void CountKick(bool written);
  void CountDrawerSeen(bool open);  // monitor thread
  bool CheckStatisticsState();

  std::string openName_;
  IControlObject* controlObject_ = nullptr;  // not owned
  int32_t directIOId_ = 0;
  int32_t statusUpdateId_ = 0;

  int32_t resultCode_;
  int32_t resultCodeExtended_ = 0;
  int32_t claimed_ = 0;
  std::atomic<int32_t> deviceEnabled_{0};  // also read by the monitor thread
  std::atomic<int32_t> powerNotify_{0};
  int32_t state_;
  int32_t freezeEvents_ = 0;
  int32_t coFreezeEvents_ = 0;
  int32_t capPowerReporting_ = 0;
  std::string checkHealthText_;
  std::string serviceObjectDescription_;
  std::string deviceDescription_;
  std::string deviceName_;

  // Written by the monitor thread, read on the owner thread.
  std::atomic<int32_t> drawerOpened_{0};
  std::atomic<int32_t> powerState_;
  std::atomic<int32_t> lastSeenPower_{0};
  std::atomic<int32_t> lastReportedPower_{-1};
  std::atomic<int32_t> lastReportedDrawer_{-1};
  // What the application was last told (owner thread); -1 = nothing yet.
  int32_t deliveredPower_ = -1;
  int32_t deliveredDrawer_ = -1;

  int32_t connectorPinNo_ = 0;
  int32_t pulseOnTime_ = 0;
  int32_t pulseOffTime_ = 0;
  int32_t openLevel_ = 0;
  DeviceEntry port_;

  std::function<void(CCashDrawer&)> healthDialog_;
  std::function<void(int32_t, int32_t)> beeper_;
  std::function<void()> statusProbe_;

  CServiceClaim claim_{"CashDrawer"};
  CServiceStatistics stats_{StatisticsTable()};
  std::atomic<int32_t> kickPending_{0};  // a kick went out; the drawer not seen open since

  // Declared last: the event thread and the port's monitor are gone before
  // the fields above.
  CPortClient portClient_{PORT_USER_DRAWER};
  CEventDispatcher events_;
};

// The drawer kick: ESC p m t1 t2 with pulse times in units of 2 ms.
std::string DrawerKickBytes(int32_t connectorPinNo, int32_t pulseOnTime, int32_t pulseOffTime);
