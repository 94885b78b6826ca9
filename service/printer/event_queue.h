// Events to the Control Object. Worker threads post event records; one
// event thread releases them one at a time, while both gates are open, to
// a mailbox on the thread that called OpenService; the mailbox handler
// makes the Control Object call there, and for an error event hands the
// application's answer back to the waiting output thread.
//
// Ownership: a record belongs to the queue from PostEvent on and is deleted
// by whoever consumes it (the handler after delivery, or the queue when it
// drops or clears it).
// Threads: PostEvent from any thread. Start, Stop, SetFreezeEvents, SetCOFreezeEvents and Clear on the
// thread that called OpenService (the owner thread); the Control Object
// calls and the host calls happen on the owner thread while it pumps
// messages (platform::PumpMessages, or a message loop on Windows).
// No queue lock is held while the host or the Control Object is called.
//
// Wiring in the printer: OpenService -> Start (after the DISPID look-ups;
// false -> ResultCode 111); Close -> Stop; ReleaseDevice -> Clear; the
// FreezeEvents property and enable/disable -> SetFreezeEvents;
// COFreezeEvents -> SetCOFreezeEvents; posting from the output path and the
// status handlers -> PostEvent(Make...Event(...)); IEventHost::
// OnErrorResponse -> the output path's error wait.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

class IControlObject;
namespace platform {
class COwnerMailbox;
}

enum : int32_t {
  EVENT_DIRECTIO = 2,
  EVENT_ERROR = 3,
  EVENT_OUTPUTCOMPLETE = 4,
  EVENT_STATUSUPDATE = 5,
};

// One event. value1..value4 by type:
//   DirectIO:       event number, data (by reference), -, -; text by reference
//   Error:          ResultCode, ResultCodeExtended, error locus, error response
//   OutputComplete: OutputID
//   StatusUpdate:   status
struct CEventRecord {
  CEventRecord(int32_t type, int32_t v1 = 0, int32_t v2 = 0, int32_t v3 = 0, int32_t v4 = 0)
      : type(type), value1(v1), value2(v2), value3(v3), value4(v4) {}
  virtual ~CEventRecord() = default;

  int32_t type;
  int32_t value1, value2, value3, value4;
  std::string text;
};

// The records the printer posts. Error: locus 1 (output), response 11 (retry).
std::unique_ptr<CEventRecord> MakeErrorEvent(int32_t resultCode, int32_t resultCodeExtended);
std::unique_ptr<CEventRecord> MakeOutputCompleteEvent(int32_t outputId);
std::unique_ptr<CEventRecord> MakeStatusUpdateEvent(int32_t status);
std::unique_ptr<CEventRecord> MakeDirectIOEvent(int32_t eventNumber, int32_t data, const std::string& text);

// DISPIDs of the four Control Object methods, looked up at OpenService.
struct EventDispids {
  int32_t directIO = 0;
  int32_t error = 0;
  int32_t outputComplete = 0;
  int32_t statusUpdate = 0;
};

// What delivery needs from the printer. Called on the owner thread only.
class IEventHost {
 public:
  virtual ~IEventHost() = default;
  // State under the printer's StateMutex (4 while an error event is being
  // answered, 2 after it).
  virtual void SetState(int32_t state) = 0;
  // The last reported cover, paper and cartridge status (-1: none yet) and
  // PowerState, which decide whether a StatusUpdate is still current.
  virtual int32_t LastCoverStatus() = 0;
  virtual int32_t LastPaperStatus() = 0;
  virtual int32_t LastCartridgeStatus() = 0;
  virtual int32_t PowerState() = 0;
  // True when FlagWhenIdle is set; clears it.
  virtual bool TakeFlagWhenIdle() = 0;
  // The application's answer to an Error record (11 retry, 12 clear), for
  // the output thread that waits for it.
  virtual void OnErrorResponse(int32_t response) = 0;
};

class CEventQueue {
 public:
  explicit CEventQueue(IEventHost* host);
  ~CEventQueue();  // stops (owner thread) and deletes what is left
  CEventQueue(const CEventQueue&) = delete;
  CEventQueue& operator=(const CEventQueue&) = delete;

  // OpenService: opens both gates, creates the mailbox ("EventInterfaceWindow")
  // on the calling thread and starts the event thread. False when the
  // mailbox could not be created; the thread runs anyway and drops what it
  // cannot deliver (the caller reports 111).
  bool Start(IControlObject* controlObject, const EventDispids& dispids);
  // Close: stops the event thread (it never stays blocked: every wait ends
  // when closing, so no forced termination is needed), destroys the mailbox and deletes undelivered records. Idempotent.
  void Stop();
  bool Running() const;

  // Any thread: appends to the tail and wakes the event thread.
  void PostEvent(std::unique_ptr<CEventRecord> record);
  // ReleaseDevice: deletes every queued record.
  void Clear();
  size_t Pending() const;

  // The application's gate (FreezeEvents: 0 open, else closed) and the
  // Control Object's (COFreezeEvents).
  void SetFreezeEvents(int32_t freeze);
  int32_t FreezeEvents() const;
  void SetCOFreezeEvents(int32_t freeze);
  int32_t COFreezeEvents() const;

  // The last answer to an Error record (0 before the first).
  int32_t ErrorResponse() const;

 private:
  void EventThread();
  bool DeliverNext(std::unique_lock<std::mutex>& lock);
  void OnMailbox(uintptr_t token);  // owner thread
  void Deliver(CEventRecord& record);
  void DeliverError(CEventRecord& record);
  bool StatusIsCurrent(int32_t status);

  IEventHost* const host_;
  IControlObject* controlObject_ = nullptr;  // not owned; set by Start
  EventDispids dispids_;
  std::unique_ptr<platform::COwnerMailbox> mailbox_;  // owner thread

  mutable std::mutex mutex_;  // everything below
  std::condition_variable wake_;
  std::deque<std::unique_ptr<CEventRecord>> queue_;
  std::unique_ptr<CEventRecord> inDelivery_;  // posted to the mailbox, not yet taken
  uintptr_t deliverySerial_ = 0;
  bool handled_ = false;
  bool closing_ = true;
  int32_t freezeEvents_ = 0;
  int32_t coFreezeEvents_ = 0;
  int32_t errorResponse_ = 0;
  std::thread thread_;
};
