// The drawer's life cycle: construction, OpenService with the reading of
// its device entry, claim, release and Close, and the methods it refuses.
#include "service/drawer/cash_drawer.h"

#include <iterator>

#include "common/opos.h"
#include "common/registry_access.h"
#include "common/registry_schema.h"
#include "common/trace.h"
#include "platform/system.h"
#include "service/common/control_object.h"
#include "service/common/decimal_text.h"
#include "service/common/device_environment.h"

using namespace opos;

namespace {

std::string DrawerEntryKey(const std::string& deviceName) {
  return std::string(schema::kCashDrawerKey) + "\\" + deviceName;
}

bool IsNetworkPort(const std::string& port) {
  const std::string kind = port.substr(0, 3);
  return kind != "COM" && kind != "LPT" && kind != "USB";
}

}  // namespace

CCashDrawer::CCashDrawer()
    : resultCode_(OPOS_E_CLOSED),
      state_(OPOS_S_CLOSED),
      powerState_(OPOS_PS_UNKNOWN),
      beeper_([](int32_t frequency, int32_t duration) {
        platform::Beep(static_cast<uint32_t>(frequency), static_cast<uint32_t>(duration));
      }),
      events_([this](CEventRecord& record) { Deliver(record); }) {}

CCashDrawer::~CCashDrawer() { Close(); }

int32_t CCashDrawer::Result(int32_t rc) {
  resultCode_ = rc;
  resultCodeExtended_ = 0;
  return rc;
}

bool CCashDrawer::CheckEnabled() {
  resultCode_ = OPOS_SUCCESS;
  if (deviceEnabled_) return true;
  resultCode_ = OPOS_E_DISABLED;
  return false;
}

// ---- OpenService -------------------------------------------------------

// The printer's port values, read from the printer's own entry exactly as
// the printer reads them.
void CCashDrawer::ReadPrinterPort(const std::string& printerName) {
  ::ReadDeviceEntry(printerName, MakeDeviceEntryEnvironment(), &port_);
  std::string configured;
  CRegistryAccess().ReadString(PrinterEntryKey(printerName), schema::kPort, &configured);
  capPowerReporting_ = IsNetworkPort(configured) ? 0 : 1;  // OPOS_PR_NONE, OPOS_PR_STANDARD
}

int32_t CCashDrawer::ReadDeviceEntry(const std::string& deviceName) {
  const CRegistryAccess registry;
  const std::string key = DrawerEntryKey(deviceName);
  port_ = DeviceEntry();
  deviceName_.clear();
  registry.ReadString(key, schema::kDeviceDesc, &deviceDescription_);
  registry.ReadString(key, schema::kDeviceName, &deviceName_);
  registry.ReadString(key, schema::kDescription, &serviceObjectDescription_);
  const struct {
    const char* name;
    int32_t* target;
  } numbers[] = {{schema::kPulseOnTime, &pulseOnTime_},
                 {schema::kPulseOffTime, &pulseOffTime_},
                 {schema::kConnectorPinNo, &connectorPinNo_},
                 {schema::kOpenLevel, &openLevel_}};
  for (const auto& n : numbers) {
    std::string text;
    if (registry.ReadString(key, n.name, &text)) *n.target = DecimalTextToInt(text);
  }
  std::string printerName;
  registry.ReadString(key, schema::kPOSPrinter, &printerName);
  ReadPrinterPort(printerName);
  return port_.portName.empty() || deviceName_.empty() ? OPOS_E_ILLEGAL : OPOS_SUCCESS;
}

bool CCashDrawer::LinkControlObject(IControlObject* controlObject) {
  controlObject_ =
      LinkEventMethods(controlObject, {{"SODirectIO", &directIOId_}, {"SOStatusUpdate", &statusUpdateId_}});
  return controlObject_ != nullptr;
}

int32_t CCashDrawer::OpenService(const std::string&, const std::string& deviceName, IControlObject* controlObject) {
  // A second open would lose the port hold and start a second event thread.
  if (portClient_.Held() || events_.Running()) return Result(OPOS_E_ILLEGAL);
  resultCode_ = OPOS_SUCCESS;
  const int32_t entryResult = ReadDeviceEntry(deviceName);
  openName_ = deviceName;
  if (deviceName.empty()) return Result(OPOS_E_ILLEGAL);
  if (entryResult != OPOS_SUCCESS) return Result(entryResult);

  if (!portClient_.Acquire(deviceName, port_)) return Result(OPOS_E_FAILURE);
  if (!LinkControlObject(controlObject)) {
    // Holding the port here would refuse every later open of this drawer.
    portClient_.Release();
    return Result(OPOS_E_NOSERVICE);
  }

  freezeEvents_ = coFreezeEvents_ = 0;
  if (!events_.Start()) Result(OPOS_E_FAILURE);
  drawerOpened_ = 0;
  stats_.Store().Open(CStatisticsStore::FileFor(CStatisticsStore::FolderFromRegistry(CRegistryAccess()),
                                                "CashDrawer", deviceName));
  state_ = OPOS_S_IDLE;
  checkHealthText_ = "Not Executed";
  Trace("End OpenService = %d", static_cast<int>(resultCode_));
  return resultCode_;
}

// ---- Claim, release, Close ---------------------------------------------

// The drawer's own device is claimed, not its printer's: printer and
// drawer on one port are used side by side, also by two applications.
int32_t CCashDrawer::ClaimDevice(int32_t timeout) {
  if (claimed_) return Result(OPOS_SUCCESS);
  if (!portClient_.Held()) return Result(OPOS_E_ILLEGAL);
  if (Result(claim_.Claim(openName_, timeout)) != OPOS_SUCCESS) return resultCode_;
  claimed_ = 1;
  stats_.Store().Reload();  // another application may have counted meanwhile
  return Result(OPOS_SUCCESS);
}

// The kick and the sense line belong to the claimant: releasing disables.
int32_t CCashDrawer::ReleaseDevice() {
  if (!claimed_) return Result(OPOS_E_ILLEGAL);
  if (deviceEnabled_) Disable();
  claimed_ = 0;
  claim_.Release();
  return Result(OPOS_SUCCESS);
}

// The event thread ends on its own: its waits all end when the dispatcher
// stops, so nothing is terminated forcibly.
int32_t CCashDrawer::Close() {
  const int32_t rc = resultCode_;
  if (claimed_) ReleaseDevice();
  if (deviceEnabled_) Disable();
  events_.Stop();
  state_ = OPOS_S_CLOSED;
  portClient_.Release();
  controlObject_ = nullptr;
  resultCode_ = rc;
  return OPOS_SUCCESS;
}

// ---- Refused methods ---------------------------------------------------

int32_t CCashDrawer::DirectIO(int32_t, int32_t*, std::string*) { return Result(OPOS_E_ILLEGAL); }
int32_t CCashDrawer::CompareFirmwareVersion(const std::string&, int32_t*) { return Result(OPOS_E_ILLEGAL); }
int32_t CCashDrawer::UpdateFirmware(const std::string&) { return Result(OPOS_E_ILLEGAL); }
