// COutputPath: set-up, the print methods, submission, transaction and clear.
// The output thread is in output_thread.cpp, the writers in output_write.cpp,
// the status entry points in output_monitor.cpp.
#include "service/printer/output_path.h"

#include <chrono>

#include "common/error_string.h"
#include "common/opos.h"

using namespace opos;

namespace {
enum : int32_t {
  CHECK_CLAIMED = 1,
  CHECK_ENABLED = 2,
  CHECK_NOT_BUSY = 4,
  CHECK_OPEN = CHECK_CLAIMED | CHECK_ENABLED,
  CHECK_ALL = CHECK_OPEN | CHECK_NOT_BUSY,
};
}  // namespace

COutputPath::COutputPath(IOutputHost& host) : host_(host), cartridge_{{PTR_CART_OK}, {PTR_CART_OK}},
                                              recCartridgeState_(PTR_CART_OK) {}

COutputPath::~COutputPath() { Stop(); }

void COutputPath::Configure(const OutputConfig& config, IOutputPort* port) {
  config_ = config;
  port_ = port;
}

void COutputPath::SetTimings(const OutputTimings& timings) { timings_ = timings; }

void COutputPath::Start() {
  if (thread_.joinable()) return;
  stop_ = false;
  thread_ = std::thread(&COutputPath::OutputThread, this);
}

void COutputPath::Stop() {
  {
    std::lock_guard<std::mutex> guard(signalMutex_);
    stop_ = true;
  }
  signalCv_.notify_all();
  {
    std::lock_guard<std::mutex> guard(queueMutex_);
  }
  workCv_.notify_all();
  if (thread_.joinable()) thread_.join();
}

int64_t COutputPath::Now() const {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

bool COutputPath::SleepFor(int32_t ms) {
  std::unique_lock<std::mutex> lock(signalMutex_);
  if (ms > 0) signalCv_.wait_for(lock, std::chrono::milliseconds(ms), [this] { return stop_.load(); });
  return !stop_;
}

int32_t COutputPath::Translate(const std::string& data, std::string* out) {
  std::lock_guard<std::mutex> guard(printStateMutex_);
  return host_.TranslateText(data, out);
}

// ---- print methods ----------------------------------------------------------

int32_t COutputPath::PrintNormal(int32_t station, const std::string& data) {
  if (!host_.CheckState(CHECK_ALL)) return host_.ResultCode();
  if (station != PTR_S_RECEIPT) {
    host_.SetResultCode(OPOS_E_ILLEGAL);
    return OPOS_E_ILLEGAL;
  }
  std::string out;
  Translate(data, &out);
  SubmitOutput(host_.AsyncMode(), {out}, host_.TallyText(data));
  return host_.ResultCode();
}

int32_t COutputPath::PrintImmediate(int32_t station, const std::string& data) {
  if (!host_.CheckState(CHECK_OPEN)) return host_.ResultCode();
  if (station != PTR_S_RECEIPT) {
    host_.SetResultCode(OPOS_E_ILLEGAL);
    return OPOS_E_ILLEGAL;
  }
  std::string out;
  Translate(data, &out);
  SubmitOutput(false, {out}, host_.TallyText(data));
  return host_.ResultCode();
}

int32_t COutputPath::PrintTwoNormal(int32_t, const std::string&, const std::string&) {
  host_.SetResultCode(OPOS_E_ILLEGAL);
  return OPOS_E_ILLEGAL;
}

int32_t COutputPath::ValidateData(int32_t, const std::string& data) {
  if (!host_.CheckState(CHECK_OPEN)) return host_.ResultCode();
  std::string discarded;
  const int32_t code = Translate(data, &discarded);
  host_.SetResultCode(code);
  return code;
}

// ---- submission -------------------------------------------------------------

void COutputPath::SubmitOutput(bool async, const std::vector<std::string>& strings, const JobTally& tally) {
  host_.SetResultCode(OPOS_SUCCESS);
  host_.SetResultCodeExtended(0);
  if (host_.AppendToPage(strings, tally)) return;
  {
    std::lock_guard<std::mutex> guard(txMutex_);
    if (inTransaction_) {
      txBuffer_.insert(txBuffer_.end(), strings.begin(), strings.end());
      txTally_ += tally;
      return;
    }
  }
  PrintJob job;
  job.strings = strings;
  job.tally = tally;
  if (async) {
    job.outputId = ++outputId_;
    std::lock_guard<std::mutex> guard(queueMutex_);
    pending_.push_back(std::move(job));
    UpdateStateLocked();
    workCv_.notify_all();
    return;
  }
  if (OutputJob(false, job) && job.resultCode == OPOS_SUCCESS && host_.Claimed()) host_.CountPrinted(job.tally);
  host_.SetResultCode(job.resultCode);
  host_.SetResultCodeExtended(job.resultCodeExtended);
}

// ---- state ------------------------------------------------------------------

// Busy (or error while an error is raised) while any job is outstanding,
// counting the one the thread is writing; idle otherwise, reporting idle once
// per FlagWhenIdle request. Queue lock held.
void COutputPath::UpdateStateLocked() {
  const bool outstanding = !pending_.empty() || !sent_.empty() || (inHand_ && !cancel_);
  if (outstanding) {
    host_.SetState(errorLevel_ == 1 ? OPOS_S_BUSY : OPOS_S_ERROR);
    return;
  }
  host_.SetState(OPOS_S_IDLE);
  if (idleArmed_) {
    idleArmed_ = false;
    host_.PostStatusUpdate(PTR_SUE_IDLE);
  }
}

void COutputPath::SetFlagWhenIdle(int32_t value) {
  std::lock_guard<std::mutex> guard(queueMutex_);
  flagWhenIdle_ = value;
  idleArmed_ = value != 0;
  UpdateStateLocked();
}

std::string COutputPath::ErrorString() const {
  std::lock_guard<std::mutex> guard(errorTextMutex_);
  return errorString_;
}

void COutputPath::SetErrorState(int32_t level, int32_t station, const std::string& text) {
  errorLevel_ = level;
  errorStation_ = station;
  std::lock_guard<std::mutex> guard(errorTextMutex_);
  errorString_ = text;
}

// ---- clear and transaction --------------------------------------------------

void COutputPath::DropJobsLocked() {
  cancel_ = true;
  pending_.clear();
  sent_.clear();
  UpdateStateLocked();
}

void COutputPath::LeaveTransactionAndRotation() {
  {
    std::lock_guard<std::mutex> guard(txMutex_);
    inTransaction_ = false;
    txBuffer_.clear();
    txTally_ = {};
  }
  std::lock_guard<std::mutex> guard(printStateMutex_);
  host_.ResetRotation();
}

int32_t COutputPath::ClearOutput() {
  if (!host_.CheckState(CHECK_OPEN)) return host_.ResultCode();
  {
    std::lock_guard<std::mutex> guard(queueMutex_);
    DropJobsLocked();
  }
  LeaveTransactionAndRotation();
  return host_.ResultCode();
}

void COutputPath::DropAll() {
  {
    std::lock_guard<std::mutex> guard(queueMutex_);
    DropJobsLocked();
  }
  std::lock_guard<std::mutex> guard(signalMutex_);
  if (awaitingResponse_ && !responseReady_) {
    response_ = OPOS_ER_CLEAR;
    responseReady_ = true;
    signalCv_.notify_all();
  }
}

bool COutputPath::InTransaction() const {
  std::lock_guard<std::mutex> guard(txMutex_);
  return inTransaction_;
}

int32_t COutputPath::TransactionPrint(int32_t station, int32_t control) {
  if (!host_.CheckState(CHECK_ALL)) return host_.ResultCode();
  if (station == PTR_S_RECEIPT && config_.capTransaction != 0) {
    std::vector<std::string> buffered;
    JobTally tally;
    bool ended = false;
    {
      std::lock_guard<std::mutex> guard(txMutex_);
      if (control == PTR_TP_TRANSACTION) {
        if (!inTransaction_) {
          inTransaction_ = true;
          txBuffer_.clear();
          txTally_ = {};
        }
        return host_.ResultCode();
      }
      if (inTransaction_) {
        inTransaction_ = false;
        buffered.swap(txBuffer_);
        tally = txTally_;
        txTally_ = {};
        ended = true;
      }
    }
    if (ended) {
      if (!buffered.empty()) SubmitOutput(host_.AsyncMode(), buffered, tally);
      return host_.ResultCode();
    }
  }
  host_.SetResultCode(OPOS_E_ILLEGAL);
  return OPOS_E_ILLEGAL;
}
