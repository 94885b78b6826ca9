// COutputPath status entry points, called on the port's monitor thread:
// properties follow every report; StatusUpdate records are posted when a
// reported value changes.
#include "common/opos.h"
#include "service/printer/output_path.h"
#include "service/printer/output_status.h"

using namespace opos;

namespace {
const uint8_t kStatusBackAll[] = {0x1D, 0x61, 0xFF};  // GS a 255: automatic status for all items
}

// Every report is taken under the status lock, and disabling clears
// DeviceEnabled before ResetOnDisable takes that lock: a report that began
// while the device was enabled is over before the reset, a later one sees
// the device disabled.
void COutputPath::OnPrinterStatus(const uint8_t status[4]) {
  std::unique_lock<std::mutex> lock(statusMutex_);
  if (!host_.DeviceEnabled()) return;
  const PrinterStatusReport r = DecodePrinterStatus(status);
  CountStatusChanges(r);
  recEmpty_ = r.recEmpty;
  recNearEnd_ = r.recNearEnd;
  coverOpen_ = r.coverOpen;
  failureCode_ = r.failureCode;
  if (r.paperStatus != lastPaper_ && (config_.capRecEmptySensor != 0 || config_.capRecNearEndSensor != 0)) {
    lastPaper_ = r.paperStatus;
    host_.PostStatusUpdate(r.paperStatus);
  }
  if (r.coverStatus != lastCover_ && config_.capCoverSensor != 0) {
    lastCover_ = r.coverStatus;
    host_.PostStatusUpdate(r.coverStatus);
  }
  const bool backOnline = TakePowerState(r.powerState);
  lock.unlock();
  if (backOnline) RestoreAfterPowerOn();
}

// Each opening of the cover and each new failure, for the statistics.
void COutputPath::CountStatusChanges(const PrinterStatusReport& r) {
  if (r.coverOpen != 0 && coverOpen_ == 0) host_.CountEvent(OutputEvent::CoverOpened);
  if (r.failureCode == 0 || r.failureCode == failureCode_) return;
  host_.CountEvent(r.failureCode == TAVO_EFAIL_CUTTER ? OutputEvent::CutFailed : OutputEvent::PrinterFault);
}

void COutputPath::OnCartridgeStatus(const uint8_t status[4]) {
  std::lock_guard<std::mutex> lock(statusMutex_);
  if (!host_.DeviceEnabled() || !IsCartridgeReply(status)) return;
  const CartridgeReport r = DecodeCartridgeStatus(status);
  cartridge_[0] = r.state[0];
  cartridge_[1] = r.state[1];
  cartridgeError_ = r.errorCode;
  if (host_.CartridgeNotify() != 1) return;
  recCartridgeState_ = host_.RecCurrentCartridge() == 1 ? r.state[0] : r.state[1];
  if (r.status != lastCartridge_) {
    lastCartridge_ = r.status;
    host_.PostStatusUpdate(r.status);
  }
}

void COutputPath::OnPowerState(int32_t state) {
  std::unique_lock<std::mutex> lock(statusMutex_);
  if (!host_.DeviceEnabled()) return;
  const bool backOnline = TakePowerState(state);
  lock.unlock();
  if (backOnline) RestoreAfterPowerOn();
}

// Under the status lock; true when the printer came back on line.
bool COutputPath::TakePowerState(int32_t state) {
  const bool changed = lastPower_.exchange(state) != state;
  if (host_.PowerNotifying()) {
    powerState_ = state;
    if (changed) host_.PostStatusUpdate(state);
  }
  return changed && state == OPOS_PS_ONLINE;
}

// Back on line, the printer has lost its settings: status back is enabled
// again and the next job's prefix sends every setting. Outside the status
// lock, as the write may wait for the output thread's port lock.
void COutputPath::RestoreAfterPowerOn() {
  WritePort(kStatusBackAll, sizeof kStatusBackAll);
  std::lock_guard<std::mutex> guard(printStateMutex_);
  host_.MarkResendAll();
}

void COutputPath::ForgetReportedStatus() {
  std::lock_guard<std::mutex> lock(statusMutex_);
  lastCover_ = kUnset;
  lastPaper_ = kUnset;
  lastCartridge_ = kUnset;
  lastPower_ = kUnset;
}

void COutputPath::ResetOnDisable() {
  std::lock_guard<std::mutex> lock(statusMutex_);
  powerState_ = OPOS_PS_UNKNOWN;
  recCartridgeState_ = PTR_CART_OK;
  cartridge_[0] = PTR_CART_OK;
  cartridge_[1] = PTR_CART_OK;
  lastCover_ = kUnset;
  lastPaper_ = kUnset;
  lastPower_ = kUnset;
}
