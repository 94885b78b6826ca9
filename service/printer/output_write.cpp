// COutputPath writers: one job, one checked write, the port write itself,
// the status check before writing and the completion confirmation.
// Called on the calling thread (synchronous output) and the output thread;
// the port lock serialises their writes.
#include <algorithm>

#include "common/opos.h"
#include "service/printer/output_path.h"

using namespace opos;

namespace {
const uint8_t kStatusRequest[] = {0x10, 0x04, 0x03};  // DLE EOT 3: real-time status

// Ports whose names are this long (USB device paths, network addresses) are
// written in chunks of the output buffer size.
const size_t kLongPortName = 10;
}  // namespace

bool COutputPath::PortIs(const char* prefix) const { return config_.portName.rfind(prefix, 0) == 0; }

bool COutputPath::OutputJob(bool fromThread, PrintJob& job) {
  if (!host_.Claimed()) return true;
  std::string prefix;
  {
    std::lock_guard<std::mutex> guard(printStateMutex_);
    prefix = host_.BuildStatePrefix();
  }
  bool ok = WriteChecked(prefix.data(), static_cast<int32_t>(prefix.size()), &job.resultCode,
                         &job.resultCodeExtended);
  const int32_t type = config_.printerType;
  const int32_t pause = (type == 1 || type == 3) ? timings_.pauseClass13
                        : (type == 2 && fromThread) ? timings_.pauseClass2
                                                    : 0;
  for (size_t i = 0; ok && i < job.strings.size(); ++i) {
    const std::string& s = job.strings[i];
    if (!s.empty()) {
      ok = WriteChecked(s.data(), static_cast<int32_t>(s.size()), &job.resultCode, &job.resultCodeExtended);
    }
    if (ok) SleepFor(pause);
  }
  return ok;
}

bool COutputPath::WriteChecked(const void* bytes, int32_t length, int32_t* rc, int32_t* rce) {
  if (!CheckPrinterStatus(rc, rce)) return false;
  if (WritePort(bytes, length) < length) {
    host_.CountEvent(OutputEvent::WriteFailed);
    *rc = OPOS_E_FAILURE;
    *rce = TAVO_EFAIL_SHORT_WRITE;
    return false;
  }
  return true;
}

// All bytes or fewer on failure. Long port names (and the Windows 95 family)
// go out in chunks of OutputBuf bytes, as many as the data needs; a chunk
// written short ends the write.
int32_t COutputPath::WritePort(const void* bytes, int32_t length) {
  if (!host_.Claimed() || port_ == nullptr || bytes == nullptr || length <= 0) return 0;
  if (!port_->Lock(-1)) return 0;
  const bool oneCall = config_.portName.size() <= kLongPortName && !config_.win9xFamily;
  const int32_t chunk = (oneCall || config_.outputBuf <= 0) ? length : config_.outputBuf;
  const char* data = static_cast<const char*>(bytes);
  int32_t done = 0;
  while (done < length) {
    const int32_t want = std::min(chunk, length - done);
    const int32_t got = std::max(0, std::min(want, port_->Write(data + done, want)));
    done += got;
    if (got < want) break;
  }
  port_->Unlock();
  return done;
}

namespace {
struct StatusBlock {
  bool (*applies)(const COutputPath&);
  int32_t code;
  int32_t extended;
};

const StatusBlock kStatusBlocks[] = {
    {[](const COutputPath& o) { return o.CoverOpen() != 0; }, OPOS_E_EXTENDED, OPOS_EPTR_COVER_OPEN},
    {[](const COutputPath& o) { return o.RecEmpty() != 0; }, OPOS_E_EXTENDED, OPOS_EPTR_REC_EMPTY},
    {[](const COutputPath& o) { return o.PowerState() == OPOS_PS_OFF_OFFLINE; }, OPOS_E_NOHARDWARE, 0},
};
}  // namespace

// The codes found stay in the result places even when the port kind lets
// output go ahead.
bool COutputPath::CheckPrinterStatus(int32_t* rc, int32_t* rce) {
  int32_t code = OPOS_SUCCESS;
  int32_t extended = 0;
  const int32_t failure = failureCode_;
  if (failure != 0) {
    code = OPOS_E_FAILURE;
    extended = failure;
  } else {
    for (const StatusBlock& b : kStatusBlocks) {
      if (b.applies(*this)) {
        code = b.code;
        extended = b.extended;
        break;
      }
    }
  }
  if (rc != nullptr) *rc = code;
  if (rce != nullptr) *rce = extended;
  if (config_.portName.find("Eth") != std::string::npos) return true;
  if (extended == OPOS_EPTR_COVER_OPEN || extended == OPOS_EPTR_REC_EMPTY || host_.AsyncMode()) {
    return code == OPOS_SUCCESS;
  }
  if (PortIs("\\")) return true;
  return code == OPOS_SUCCESS;
}

bool COutputPath::CheckPrinterStatus() {
  int32_t rc = 0;
  int32_t rce = 0;
  const bool ok = CheckPrinterStatus(&rc, &rce);
  host_.SetResultCode(rc);
  host_.SetResultCodeExtended(rce);
  return ok;
}

bool COutputPath::SendStatusRequest() {
  if (port_ != nullptr) port_->Clear();
  return WritePort(kStatusRequest, sizeof kStatusRequest) == static_cast<int32_t>(sizeof kStatusRequest);
}

// One reply byte to the status request confirms that everything written
// before it has been printed. A port that answers at once with nothing is
// waited out for the rest of the read time rather than polled in a loop.
bool COutputPath::WaitPrintComplete(int32_t* rc, int32_t* rce, int32_t limitMs, bool noResend) {
  int32_t localRc = 0;
  int32_t localRce = 0;
  if (rc == nullptr) rc = &localRc;
  if (rce == nullptr) rce = &localRce;
  if (!CheckPrinterStatus(rc, rce)) return false;
  if (!SendStatusRequest()) {
    *rc = OPOS_E_TIMEOUT;
    return false;
  }
  const int64_t start = Now();
  int64_t lastRequest = start;
  const int32_t resendEvery = config_.printerType == 1 ? timings_.resendClass1 : timings_.resendOther;
  while (host_.Claimed()) {
    const int64_t readStart = Now();
    char reply = 0;
    if (port_ != nullptr && port_->Read(&reply, 1, timings_.readWait) >= 1) return true;
    if (!CheckPrinterStatus(rc, rce) || stop_) {
      *rc = OPOS_E_TIMEOUT;
      return false;
    }
    const int64_t now = Now();
    if (now - start > limitMs) {
      *rc = OPOS_E_TIMEOUT;
      return false;
    }
    if (!noResend && now - lastRequest > resendEvery) {
      SendStatusRequest();
      lastRequest = now;
    }
    const int64_t rest = timings_.readWait - (Now() - readStart);
    if (rest > 0 && !SleepFor(static_cast<int32_t>(rest))) {
      *rc = OPOS_E_TIMEOUT;
      return false;
    }
  }
  return true;
}
