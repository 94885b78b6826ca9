// COutputPath's output thread: takes queued jobs in order, writes them,
// confirms batches of up to kMaxUnconfirmed jobs, and on a failure raises an
// Error record and waits for the application's answer (retry or clear).
#include "common/error_string.h"
#include "common/opos.h"
#include "service/printer/output_path.h"

using namespace opos;

void COutputPath::OutputThread() {
  std::unique_lock<std::mutex> lock(queueMutex_);
  for (;;) {
    workCv_.wait(lock, [this] { return stop_ || !pending_.empty(); });
    if (stop_) break;
    UpdateStateLocked();
    PrintJob job = std::move(pending_.front());
    pending_.pop_front();
    cancel_ = false;
    inHand_ = true;
    lock.unlock();
    const bool ok = OutputJob(true, job);
    lock.lock();
    inHand_ = false;
    if (cancel_ || stop_) {  // cleared or released meanwhile: the job is dropped
      UpdateStateLocked();
      continue;
    }
    sent_.push_back(std::move(job));
    if (!ok) {
      RaiseError(lock, sent_.back().resultCode, sent_.back().resultCodeExtended);
      continue;
    }
    if (!pending_.empty() && sent_.size() < kMaxUnconfirmed) continue;
    ConfirmBatch(lock);
  }
}

// Serial and parallel ports confirm with the status request; other ports
// count a complete write as printed. Only a batch whose writes all succeeded
// gets here. Queue lock held on entry and exit.
bool COutputPath::ConfirmBatch(std::unique_lock<std::mutex>& lock) {
  PrintJob last = std::move(sent_.back());
  sent_.pop_back();
  inHand_ = true;
  lock.unlock();
  bool ok = true;
  if (PortIs("COM") || PortIs("LPT")) {
    ok = WaitPrintComplete(&last.resultCode, &last.resultCodeExtended, timings_.confirmLimit, false);
  }
  lock.lock();
  inHand_ = false;
  if (cancel_ || stop_) {
    UpdateStateLocked();
    return false;
  }
  sent_.push_back(std::move(last));
  if (!ok) {
    RaiseError(lock, sent_.back().resultCode, sent_.back().resultCodeExtended);
    return false;
  }
  for (const PrintJob& done : sent_) {
    host_.PostOutputComplete(done.outputId);
    host_.CountPrinted(done.tally);
  }
  sent_.clear();
  UpdateStateLocked();
  return true;
}

// Queue lock held on entry and exit; released while the answer is awaited.
void COutputPath::RaiseError(std::unique_lock<std::mutex>& lock, int32_t rc, int32_t rce) {
  lock.unlock();
  SetErrorState(2, PTR_S_RECEIPT, MakeErrorString(rc, rce));
  lock.lock();
  UpdateStateLocked();
  lock.unlock();
  {
    std::lock_guard<std::mutex> guard(signalMutex_);
    responseReady_ = false;
    awaitingResponse_ = true;
  }
  const int64_t postedAt = Now();
  host_.PostError(rc, rce);
  const int32_t response = AwaitResponse();
  SetErrorState(1, 0, std::string());
  lock.lock();
  if (stop_) return;
  // A clear has already been carried out by the answer itself (or by a
  // release); any other answer retries.
  if (response != OPOS_ER_CLEAR) QueueRetry(lock, postedAt);
  UpdateStateLocked();
}

// At least retryDelay after the Error record, the unconfirmed jobs go back to
// the head of the queue behind a line feed job (OutputID 0). The lock is
// held through the pause so that no submission or clear slips in between.
void COutputPath::QueueRetry(std::unique_lock<std::mutex>&, int64_t postedAt) {
  const int64_t waited = Now() - postedAt;
  if (waited < timings_.retryDelay) SleepFor(static_cast<int32_t>(timings_.retryDelay - waited));
  if (sent_.empty()) return;  // cleared meanwhile: nothing to send again
  PrintJob retry;
  retry.strings.push_back("\n");
  for (auto it = sent_.rbegin(); it != sent_.rend(); ++it) pending_.push_front(std::move(*it));
  sent_.clear();
  pending_.push_front(std::move(retry));
}

int32_t COutputPath::AwaitResponse() {
  std::unique_lock<std::mutex> lock(signalMutex_);
  signalCv_.wait(lock, [this] { return responseReady_ || stop_; });
  awaitingResponse_ = false;
  return responseReady_ ? response_ : static_cast<int32_t>(OPOS_ER_CLEAR);
}

// Called on the Control Object's thread when the application has answered.
// A clear empties the lists here and now, so that output the application
// submits right after its answer is not swept away with the old jobs.
void COutputPath::OnErrorResponse(int32_t response) {
  {
    std::lock_guard<std::mutex> guard(signalMutex_);
    if (!awaitingResponse_ || responseReady_) return;
  }
  if (response == OPOS_ER_CLEAR) {
    {
      std::lock_guard<std::mutex> guard(queueMutex_);
      DropJobsLocked();
    }
    if (host_.Claimed() && host_.DeviceEnabled()) LeaveTransactionAndRotation();
  }
  std::lock_guard<std::mutex> guard(signalMutex_);
  if (!awaitingResponse_ || responseReady_) return;
  response_ = response;
  responseReady_ = true;
  signalCv_.notify_all();
}
