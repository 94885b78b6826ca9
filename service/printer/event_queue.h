// The printer's events to the Control Object: the shared event road
// (service/common/event_dispatcher.h) with the printer's delivery rules.
// The mailbox handler makes the Control Object call on the owner thread,
// drops status updates that were overtaken, and for an error event hands
// the application's answer back to the waiting output thread.
//
// Threads: as CEventDispatcher. The Control Object calls and the host
// calls happen on the owner thread while it pumps messages.
//
// Wiring in the printer: OpenService -> Start (after the DISPID look-ups;
// false -> ResultCode 111); Close -> Stop; ReleaseDevice -> Clear; the
// FreezeEvents property and enable/disable -> SetFreezeEvents;
// COFreezeEvents -> SetCOFreezeEvents; posting from the output path and the
// status handlers -> PostEvent(Make...Event(...)); IEventHost::
// OnErrorResponse -> the output path's error wait.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <utility>

#include "service/common/event_dispatcher.h"

class IControlObject;

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
  CEventQueue(const CEventQueue&) = delete;
  CEventQueue& operator=(const CEventQueue&) = delete;

  // OpenService: remembers the Control Object and starts the dispatcher.
  bool Start(IControlObject* controlObject, const EventDispids& dispids);
  void Stop() { dispatcher_.Stop(); }
  bool Running() const { return dispatcher_.Running(); }

  void PostEvent(std::unique_ptr<CEventRecord> record) { dispatcher_.PostEvent(std::move(record)); }
  void Clear() { dispatcher_.Clear(); }
  size_t Pending() const { return dispatcher_.Pending(); }

  void SetFreezeEvents(int32_t freeze) { dispatcher_.SetFreezeEvents(freeze); }
  int32_t FreezeEvents() const { return dispatcher_.FreezeEvents(); }
  void SetCOFreezeEvents(int32_t freeze) { dispatcher_.SetCOFreezeEvents(freeze); }
  int32_t COFreezeEvents() const { return dispatcher_.COFreezeEvents(); }

  // The last answer to an Error record (0 before the first).
  int32_t ErrorResponse() const { return errorResponse_; }

 private:
  void Deliver(CEventRecord& record);  // owner thread
  void DeliverError(CEventRecord& record);
  bool StatusIsCurrent(int32_t status);

  IEventHost* const host_;
  IControlObject* controlObject_ = nullptr;  // not owned; set by Start
  EventDispids dispids_;
  std::atomic<int32_t> errorResponse_{0};
  CEventDispatcher dispatcher_;  // last: stopped before the members above go
};
