// The event road both Service Objects share: worker threads post records;
// one event thread releases them one at a time, while both gates are open
// (FreezeEvents and COFreezeEvents), to a mailbox on the thread that called
// OpenService (the owner thread), where the delivery handler runs. The
// event thread waits until the handler has finished, so records arrive in
// posting order, one at a time.
//
// Threads: PostEvent from any thread. Start, Stop, the gates and Clear on
// the owner thread; the handler runs on the owner thread while it pumps
// messages (platform::PumpMessages, or a message loop on Windows). No lock
// is held while the handler runs.
//
// Stopping never needs forced termination: every wait of the event thread
// also ends when the dispatcher closes.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>

#include "service/common/event_record.h"

namespace platform {
class COwnerMailbox;
}

class CEventDispatcher {
 public:
  // Called on the owner thread for each record in turn.
  using Handler = std::function<void(CEventRecord& record)>;

  explicit CEventDispatcher(Handler handler);
  ~CEventDispatcher();  // stops (owner thread) and deletes what is left
  CEventDispatcher(const CEventDispatcher&) = delete;
  CEventDispatcher& operator=(const CEventDispatcher&) = delete;

  // Opens both gates, creates the mailbox ("EventInterfaceWindow", id 1234)
  // on the calling thread and starts the event thread. False when the
  // mailbox could not be created; the thread runs anyway and drops what it
  // cannot deliver.
  bool Start();
  // Ends the event thread, destroys the mailbox and deletes undelivered
  // records. Idempotent.
  void Stop();
  bool Running() const;

  // Any thread: appends to the tail and wakes the event thread.
  void PostEvent(std::unique_ptr<CEventRecord> record);
  // Deletes every queued record.
  void Clear();
  size_t Pending() const;

  // The gates: 0 open, anything else closed.
  void SetFreezeEvents(int32_t freeze);
  int32_t FreezeEvents() const;
  void SetCOFreezeEvents(int32_t freeze);
  int32_t COFreezeEvents() const;

 private:
  void EventThread();
  bool DeliverNext(std::unique_lock<std::mutex>& lock);
  void OnMailbox(uintptr_t token);  // owner thread

  const Handler handler_;
  std::unique_ptr<platform::COwnerMailbox> mailbox_;  // owner thread
  // The object whose call started us, named by the trace lines of events.
  const void* traceObject_ = nullptr;  // set before the thread starts

  mutable std::mutex mutex_;  // everything below
  std::condition_variable wake_;
  std::deque<std::unique_ptr<CEventRecord>> queue_;
  std::unique_ptr<CEventRecord> inDelivery_;  // posted to the mailbox, not yet taken
  uintptr_t deliverySerial_ = 0;
  bool handled_ = false;
  bool closing_ = true;
  int32_t freezeEvents_ = 0;
  int32_t coFreezeEvents_ = 0;
  std::thread thread_;
};
