#include "service/printer/event_queue.h"

#include "common/opos.h"
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

CEventQueue::CEventQueue(IEventHost* host) : host_(host) {}

CEventQueue::~CEventQueue() { Stop(); }

bool CEventQueue::Start(IControlObject* controlObject, const EventDispids& dispids) {
  if (thread_.joinable()) Stop();
  controlObject_ = controlObject;
  dispids_ = dispids;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closing_ = false;
    freezeEvents_ = 0;
    coFreezeEvents_ = 0;
    handled_ = false;
  }
  mailbox_ = std::make_unique<platform::COwnerMailbox>(kWindowName, kWindowId,
                                                       [this](uintptr_t token) { OnMailbox(token); });
  thread_ = std::thread(&CEventQueue::EventThread, this);
  return mailbox_->Valid();
}

void CEventQueue::Stop() {
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

bool CEventQueue::Running() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return thread_.joinable() && !closing_;
}

void CEventQueue::PostEvent(std::unique_ptr<CEventRecord> record) {
  if (!record) return;
  {
    std::lock_guard<std::mutex> lock(mutex_);
    queue_.push_back(std::move(record));
  }
  wake_.notify_all();
}

void CEventQueue::Clear() {
  std::deque<std::unique_ptr<CEventRecord>> left;
  std::lock_guard<std::mutex> lock(mutex_);
  left.swap(queue_);
}

size_t CEventQueue::Pending() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return queue_.size();
}

void CEventQueue::SetFreezeEvents(int32_t freeze) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    freezeEvents_ = freeze;
  }
  wake_.notify_all();
}

int32_t CEventQueue::FreezeEvents() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return freezeEvents_;
}

void CEventQueue::SetCOFreezeEvents(int32_t freeze) {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    coFreezeEvents_ = freeze;
  }
  wake_.notify_all();
}

int32_t CEventQueue::COFreezeEvents() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return coFreezeEvents_;
}

int32_t CEventQueue::ErrorResponse() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return errorResponse_;
}
