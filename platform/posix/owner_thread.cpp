// Mailboxes as a per-thread message queue that PumpMessages runs.
#include "platform/owner_thread.h"

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <utility>

namespace platform {

namespace {
std::atomic<bool> g_failNext{false};

struct ThreadQueue {
  std::mutex mutex;
  std::condition_variable posted;
  std::deque<std::pair<uint64_t, uintptr_t>> messages;  // mailbox id, token
  std::map<uint64_t, COwnerMailbox::Handler> boxes;     // live mailboxes
  uint64_t nextId = 1;
};

std::shared_ptr<ThreadQueue>& CurrentQueue() {
  thread_local std::shared_ptr<ThreadQueue> queue = std::make_shared<ThreadQueue>();
  return queue;
}
}  // namespace

struct COwnerMailbox::Impl {
  std::shared_ptr<ThreadQueue> queue;  // the owner thread's
  uint64_t id = 0;
  bool valid = false;
};

COwnerMailbox::COwnerMailbox(const std::string&, int, Handler handler) : impl_(new Impl) {
  if (g_failNext.exchange(false)) return;
  impl_->queue = CurrentQueue();
  std::lock_guard<std::mutex> lock(impl_->queue->mutex);
  impl_->id = impl_->queue->nextId++;
  impl_->queue->boxes[impl_->id] = std::move(handler);
  impl_->valid = true;
}

COwnerMailbox::~COwnerMailbox() {
  if (!impl_->valid) return;
  ThreadQueue& q = *impl_->queue;
  std::lock_guard<std::mutex> lock(q.mutex);
  q.boxes.erase(impl_->id);
  for (auto it = q.messages.begin(); it != q.messages.end();)
    it = it->first == impl_->id ? q.messages.erase(it) : it + 1;
}

bool COwnerMailbox::Valid() const { return impl_->valid; }

bool COwnerMailbox::Post(uintptr_t token) {
  if (!impl_->valid) return false;
  ThreadQueue& q = *impl_->queue;
  {
    std::lock_guard<std::mutex> lock(q.mutex);
    q.messages.emplace_back(impl_->id, token);
  }
  q.posted.notify_all();
  return true;
}

int PumpMessages(int waitMs) {
  ThreadQueue& q = *CurrentQueue();
  int handled = 0;
  std::unique_lock<std::mutex> lock(q.mutex);
  if (q.messages.empty() && waitMs > 0)
    q.posted.wait_for(lock, std::chrono::milliseconds(waitMs), [&] { return !q.messages.empty(); });
  while (!q.messages.empty()) {
    const auto message = q.messages.front();
    q.messages.pop_front();
    auto box = q.boxes.find(message.first);
    if (box == q.boxes.end()) continue;
    // A copy: the handler may destroy its own mailbox.
    COwnerMailbox::Handler handler = box->second;
    lock.unlock();
    handler(message.second);
    ++handled;
    lock.lock();
  }
  return handled;
}

void FailNextMailboxForTesting() { g_failNext = true; }

}  // namespace platform
