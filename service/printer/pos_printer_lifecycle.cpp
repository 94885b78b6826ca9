// The OPOS life cycle: OpenService, ClaimDevice, DeviceEnabled,
// ReleaseDevice and Close, with the handshake sent at claim time.
#include <iterator>

#include "common/opos.h"
#include "common/registry_access.h"
#include "common/trace.h"
#include "service/port/port_table.h"
#include "service/printer/capability_profile.h"
#include "service/common/control_object.h"
#include "service/printer/pos_printer.h"
#include "service/printer/printer_commands.h"
#include "service/common/device_environment.h"
#include "service/printer/printer_port_user.h"

using namespace opos;

namespace {

template <size_t N>
int32_t Length(const uint8_t (&)[N]) {
  return static_cast<int32_t>(N);
}

}  // namespace

// ---- OpenService -------------------------------------------------------

int32_t CPOSPrinter::ReadConfiguration(const std::string& deviceName) {
  d_.deviceKey = deviceName;
  flags_.capPowerReporting = 1;
  entry_.deviceDescription = d_.deviceDescription;
  entry_.description = d_.serviceObjectDescription;
  entry_.profilePath = d_.profilePath;
  entry_.printerType = d_.print.printerType;
  const bool entryUsable = ReadDeviceEntry(deviceName, MakeDeviceEntryEnvironment(), &entry_);
  d_.deviceName = entry_.deviceName;
  d_.deviceDescription = entry_.deviceDescription;
  d_.serviceObjectDescription = entry_.description;
  d_.profilePath = entry_.profilePath;
  d_.print.printerType = entry_.printerType;
  portUser_->SetPrinterType(entry_.printerType);
  if (entry_.hasVersion) d_.serviceObjectVersion = entry_.serviceObjectVersion;

  // The profile is read even for an unusable entry, so the object reports
  // its capabilities; the entry's failure still fails the open.
  const int32_t profileResult = ReadCapabilityProfile(d_.profilePath, d_);
  SetState(OPOS_S_IDLE);
  d_.checkHealthText = "Not Executed";
  return entryUsable ? profileResult : OPOS_E_ILLEGAL;
}

bool CPOSPrinter::LinkControlObject(IControlObject* controlObject) {
  // Looked up in this order; the event ids keep it.
  controlObject_ = LinkEventMethods(controlObject, {{"SODirectIO", &eventDispIds_.directIO},
                                                    {"SOError", &eventDispIds_.error},
                                                    {"SOOutputComplete", &eventDispIds_.outputComplete},
                                                    {"SOStatusUpdate", &eventDispIds_.statusUpdate}});
  return controlObject_ != nullptr;
}

int32_t CPOSPrinter::OpenService(const std::string&, const std::string& deviceName, IControlObject* controlObject) {
  // A second open would start the workers twice or lose the port handle
  // (also after an open that failed once it held the port).
  if (port_.Held() || output_->Running() || events_->Running()) return Result(OPOS_E_ILLEGAL);
  d_.resultCodeExtended = 0;
  if (Result(ReadConfiguration(deviceName)) != OPOS_SUCCESS) return d_.resultCode;

  if (!port_.Acquire(d_.deviceKey, entry_)) return Result(OPOS_E_FAILURE);
  portLink_.SetManager(Port());

  if (!LinkControlObject(controlObject)) return Result(OPOS_E_NOSERVICE);

  stats_.Store().Open(CStatisticsStore::FileFor(CStatisticsStore::FolderFromRegistry(CRegistryAccess()),
                                                "POSPrinter", d_.deviceKey));
  StartWorkers();
  Trace("End OpenService = %d", static_cast<int>(d_.resultCode));
  return d_.resultCode;
}

// ---- ClaimDevice and the handshake -------------------------------------

CPortManager* CPOSPrinter::Port() const { return port_.Manager(); }

bool CPOSPrinter::InitializePrinter(int32_t mode, int32_t) {
  CPortManager* port = Port();
  if (port == nullptr || !port->Lock(0)) return false;
  using namespace printer_commands;
  bool complete = port->Write(kHandshake, Length(kHandshake)) == Length(kHandshake);
  if (complete && mode == 2) complete = port->Write(kInitialise, Length(kInitialise)) == Length(kInitialise);
  port->Unlock();
  return complete;
}

// The claim is the machine's: another Control Object, of this application
// or another, waits for it or times out. A device taken from a holder that
// died gets the same handshake, whose ESC @ drops the modes the dead
// holder's last job left set; what it had already sent is the printer's.
int32_t CPOSPrinter::ClaimDevice(int32_t timeout) {
  d_.resultCodeExtended = 0;
  if (flags_.claimed) return Result(OPOS_SUCCESS);
  if (!port_.Held()) return Result(OPOS_E_ILLEGAL);
  if (Result(claim_.Claim(d_.deviceKey, timeout)) != OPOS_SUCCESS) return d_.resultCode;
  if (!port_.Open(MakePortSettings(entry_), portUser_.get())) {
    claim_.Release();
    return Result(OPOS_E_ILLEGAL);
  }
  flags_.claimed = 1;
  Result(OPOS_SUCCESS);

  if (InitializePrinter(2)) {
    output_->ForgetReportedStatus();
    stats_.Store().Reload();  // another application may have counted meanwhile
    return d_.resultCode;
  }
  // The printer did not take the handshake: give the port back, and stop
  // its monitor thread reporting to an unclaimed printer.
  port_.Close();
  flags_.claimed = 0;
  claim_.Release();
  return Result(OPOS_E_FAILURE);
}

// ---- DeviceEnabled -----------------------------------------------------

int32_t CPOSPrinter::WriteToPort(const uint8_t* bytes, int32_t length) { return port_.Write(bytes, length); }

void CPOSPrinter::Enable() {
  using namespace printer_commands;
  port_.Clear();
  flags_.deviceEnabled = 1;
  const uint8_t* block = d_.print.printerType == kInkPrinterType ? kEnableStatusInk : kEnableStatus;
  if (WriteToPort(block, Length(kEnableStatus)) < Length(kEnableStatus)) {
    flags_.deviceEnabled = 0;
    Result(OPOS_E_FAILURE);
  }
  SetFreezeEvents(0);
}

void CPOSPrinter::Disable() {
  flags_.deviceEnabled = 0;
  SetFreezeEvents(1);  // events wait for the next enable
  output_->ResetOnDisable();  // power unknown, cartridges OK, reports forgotten
}

void CPOSPrinter::SetDeviceEnabled(int32_t value) {
  Result(OPOS_SUCCESS);
  if (!CheckState(CHECK_CLAIMED)) return;
  const int32_t wanted = value != 0 ? 1 : 0;
  if (wanted == flags_.deviceEnabled) return;
  if (wanted) {
    Enable();
  } else {
    Disable();
  }
}

// ---- ReleaseDevice and Close -------------------------------------------

int32_t CPOSPrinter::ReleaseDevice() {
  d_.resultCodeExtended = 0;
  if (!flags_.claimed) return Result(OPOS_E_ILLEGAL);
  if (flags_.deviceEnabled) Disable();
  flags_.claimed = 0;
  output_->DropAll();
  DropQueuedEvents();
  port_.Close();
  claim_.Release();
  return Result(OPOS_SUCCESS);
}

int32_t CPOSPrinter::Close() {
  if (flags_.claimed) ReleaseDevice();
  if (State() != OPOS_S_CLOSED) {
    StopWorkers();
    SetState(OPOS_S_CLOSED);
    flags_.claimed = 0;
    portLink_.SetManager(nullptr);
    port_.Release();
    controlObject_ = nullptr;
  }
  return Result(OPOS_SUCCESS);
}
