// The event thread and the delivery handler on the owner thread.
#include <utility>

#include "common/error_string.h"
#include "common/opos.h"
#include "common/trace.h"
#include "platform/owner_thread.h"
#include "service/printer/control_object.h"
#include "service/printer/event_queue.h"

using namespace opos;

void CEventQueue::EventThread() {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return closing_ || (!queue_.empty() && freezeEvents_ == 0 && coFreezeEvents_ == 0); });
    if (closing_) break;
    DeliverNext(lock);
  }
}

// Hands the head record to the owner thread and waits until it was handled
// or the queue is closing. With no mailbox the record is dropped at once.
bool CEventQueue::DeliverNext(std::unique_lock<std::mutex>& lock) {
  inDelivery_ = std::move(queue_.front());
  queue_.pop_front();
  const uintptr_t serial = ++deliverySerial_;
  handled_ = false;
  lock.unlock();
  const bool posted = mailbox_ && mailbox_->Post(serial);
  lock.lock();
  if (!posted) {
    std::unique_ptr<CEventRecord> dropped = std::move(inDelivery_);
    lock.unlock();
    dropped.reset();
    lock.lock();
    return false;
  }
  wake_.wait(lock, [this] { return handled_ || closing_; });
  return handled_;
}

void CEventQueue::OnMailbox(uintptr_t token) {
  std::unique_ptr<CEventRecord> record;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (token != deliverySerial_ || !inDelivery_) return;  // stale post
    record = std::move(inDelivery_);
  }
  Deliver(*record);
  record.reset();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    handled_ = true;
  }
  wake_.notify_all();
}

void CEventQueue::Deliver(CEventRecord& r) {
  IControlObject* co = controlObject_;
  switch (r.type) {
    case EVENT_DIRECTIO:
      if (co) co->SODirectIO(dispids_.directIO, r.value1, &r.value2, &r.text);
      Trace("DirectIO %d,%d", r.value1, r.value2);
      break;
    case EVENT_ERROR:
      DeliverError(r);
      break;
    case EVENT_OUTPUTCOMPLETE:
      if (co) co->SOOutputComplete(dispids_.outputComplete, r.value1);
      Trace("OutputComplete %d", r.value1);
      break;
    case EVENT_STATUSUPDATE:
      if (!StatusIsCurrent(r.value1)) break;
      if (co) co->SOStatusUpdate(dispids_.statusUpdate, r.value1);
      Trace("StatusUpdate %d", r.value1);
      break;
    default:
      break;  // unknown records are dropped
  }
}

void CEventQueue::DeliverError(CEventRecord& r) {
  host_->SetState(OPOS_S_ERROR);
  if (controlObject_) controlObject_->SOError(dispids_.error, r.value1, r.value2, r.value3, &r.value4);
  host_->SetState(OPOS_S_IDLE);
  {
    std::lock_guard<std::mutex> lock(mutex_);
    errorResponse_ = r.value4;
  }
  host_->OnErrorResponse(r.value4);
  Trace("Error %s", MakeErrorString(r.value1, r.value2).c_str());
}

// A StatusUpdate is delivered only if it still describes the device when
// its turn comes; an overtaken one is dropped.
bool CEventQueue::StatusIsCurrent(int32_t status) {
  switch (status) {
    case PTR_SUE_COVER_OPEN:
    case PTR_SUE_COVER_OK:
      return status == host_->LastCoverStatus();
    case PTR_SUE_REC_EMPTY:
    case PTR_SUE_REC_NEAREMPTY:
    case PTR_SUE_REC_PAPEROK:
      return status == host_->LastPaperStatus();
    case PTR_SUE_REC_CARTRIDGE_EMPTY:
    case PTR_SUE_REC_HEAD_CLEANING:
    case PTR_SUE_REC_CARTRIDGE_NEAREMPTY:
    case PTR_SUE_REC_CARTRIDGE_OK:
      return status == host_->LastCartridgeStatus();
    case PTR_SUE_IDLE:
      return host_->TakeFlagWhenIdle();
    case OPOS_SUE_POWER_ONLINE:
    case OPOS_SUE_POWER_OFF_OFFLINE:
      return status == host_->PowerState();
    default:
      return true;
  }
}
