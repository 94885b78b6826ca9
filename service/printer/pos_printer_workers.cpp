// Where the event queue and the output path attach to the life cycle:
// worker start and stop, the event gates, and dropping queued work.
#include "common/opos.h"
#include "service/printer/pos_printer.h"

using namespace opos;

void CPOSPrinter::StartWorkers() { workersRunning_ = true; }

void CPOSPrinter::StopWorkers() { workersRunning_ = false; }

void CPOSPrinter::SetFreezeEvents(int32_t value) { d_.freezeEvents = value; }

int32_t CPOSPrinter::COFreezeEvents(int32_t freeze) {
  coFreezeEvents_ = freeze;
  return OPOS_SUCCESS;
}

void CPOSPrinter::DropQueuedOutput() {}

void CPOSPrinter::DropQueuedEvents() {}

void CPOSPrinter::SetFlagWhenIdle(int32_t value) {
  status_.flagWhenIdle = value;
  Result(OPOS_SUCCESS);
}

std::string CPOSPrinter::ErrorString() const { return {}; }
