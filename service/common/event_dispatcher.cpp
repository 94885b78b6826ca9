#include "service/common/event_dispatcher.h"

#include <utility>

#include "common/opos.h"
#include "common/trace.h"
#include "platform/owner_thread.h"

using namespace opos;

namespace {
const char kWindowName[] = "EventInterfaceWindow";
const int kWindowId = 1234;
}  // namespace

std::unique_ptr<CEventRecord> MakeErrorEvent(int32_t resultCode, int32_t resultCodeExtended) {
  return std::make_unique<CEventRecord>(EVENT_ERROR, resultCode, resultCodeExtended, OPOS_EL_OUTPUT, OPOS_ER_RETRY);
}

std::unique_ptr<CEventRecord> MakeOutputCompleteEvent(int32_t outputId) {
  return std::make_unique<CEventRecord>(EVENT_OUTPUTCOMPLETE, outputId);
}

std::unique_ptr<CEventRecord> MakeStatusUpdateEvent(int32_t status) {
  return std::make_unique<CEventRecord>(EVENT_STATUSUPDATE, status);
}

std::unique_ptr<CEventRecord> MakeDirectIOEvent(int32_t eventNumber, int32_t data, const std::string& text) {
  auto record = std::make_unique<CEventRecord>(EVENT_DIRECTIO, eventNumber, data);
  record->text = text;
  return record;
}

CEventDispatcher::CEventDispatcher(Handler handler) : handler_(std::move(handler)) {}

CEventDispatcher::~CEventDispatcher() { Stop(); }

bool CEventDispatcher::Start() {
  if (thread_.joinable()) Stop();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closing_ = false;
    freezeEvents_ = 0;
    coFreezeEvents_ = 0;
    handled_ = false;
  }
  traceObject_ = CurrentTraceObject();
  mailbox_ = std::make_unique<platform::COwnerMailbox>(kWindowName, kWindowId,
                                                       [this](uintptr_t token) { OnMailbox(token); });
  thread_ = std::thread(&CEventDispatcher::EventThread, this);
  return mailbox_->Valid();
}

void CEventDispatcher::Stop() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closing_ = true;
  }
  wake_.notify_all();
  if (thread_.joinable()) thread_.join();  // every wait of the thread ends on closing
  mailbox_.reset();
  std::deque<std::unique_ptr<CEventRecord>> left;
  std::unique_ptr<CEventRecord> undelivered;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    left.swap(queue_);
    undelivered = std::move(inDelivery_);
  }
}

bool CEventDispatcher::Running() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return thread_.joinable() && !closing_;
}

void CEventDispatcher::PostEvent(std::unique_ptr<CEventRecord> record) {
  if (!record) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.push_back(std::move(record));
  }
  wake_.notify_all();
}

void CEventDispatcher::Clear() {
  std::deque<std::unique_ptr<CEventRecord>> left;
  std::lock_guard<std::mutex> lock(mutex_);
  left.swap(queue_);
}

size_t CEventDispatcher::Pending() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return queue_.size();
}

void CEventDispatcher::SetFreezeEvents(int32_t freeze) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    freezeEvents_ = freeze;
  }
  wake_.notify_all();
}

int32_t CEventDispatcher::FreezeEvents() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return freezeEvents_;
}

void CEventDispatcher::SetCOFreezeEvents(int32_t freeze) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    coFreezeEvents_ = freeze;
  }
  wake_.notify_all();
}

int32_t CEventDispatcher::COFreezeEvents() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return coFreezeEvents_;
}

void CEventDispatcher::EventThread() {
  TraceObjectScope traced(traceObject_);
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    wake_.wait(lock, [this] { return closing_ || (!queue_.empty() && freezeEvents_ == 0 && coFreezeEvents_ == 0); });
    if (closing_) break;
    DeliverNext(lock);
  }
}

// Hands the head record to the owner thread and waits until it was handled
// or the dispatcher is closing. With no mailbox the record is dropped at once.
bool CEventDispatcher::DeliverNext(std::unique_lock<std::mutex>& lock) {
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

void CEventDispatcher::OnMailbox(uintptr_t token) {
  TraceObjectScope traced(traceObject_);
  std::unique_ptr<CEventRecord> record;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    if (token != deliverySerial_ || !inDelivery_) return;  // stale post
    record = std::move(inDelivery_);
  }
  handler_(*record);
  record.reset();
  {
    std::lock_guard<std::mutex> lock(mutex_);
    handled_ = true;
  }
  wake_.notify_all();
}
