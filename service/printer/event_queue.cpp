// The printer's delivery rules, run on the owner thread.
#include "service/printer/event_queue.h"

#include <utility>

#include "common/error_string.h"
#include "common/opos.h"
#include "common/trace.h"
#include "service/common/control_object.h"

using namespace opos;

CEventQueue::CEventQueue(IEventHost* host)
    : host_(host), dispatcher_([this](CEventRecord& record) { Deliver(record); }) {}

bool CEventQueue::Start(IControlObject* controlObject, const EventDispids& dispids) {
  dispatcher_.Stop();
  controlObject_ = controlObject;
  dispids_ = dispids;
  return dispatcher_.Start();
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
  errorResponse_ = r.value4;
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
