// The worker side of the life cycle: the output path's configuration and
// thread, the event gates, and the event records the workers post.
#include "common/opos.h"
#include "service/printer/pos_printer.h"
#include "service/printer/printer_environment.h"

using namespace opos;

OutputConfig CPOSPrinter::MakeOutputConfig() const {
  OutputConfig c;
  c.portName = entry_.portName;
  c.outputBuf = entry_.outputBuffer;
  c.printerType = entry_.printerType;
  c.win9xFamily = MakeDeviceEntryEnvironment().windows95Family;
  c.capCoverSensor = d_.capCoverSensor;
  c.capRecEmptySensor = d_.capRecEmptySensor;
  c.capRecNearEndSensor = d_.capRecNearEndSensor;
  c.capTransaction = d_.capTransaction;
  return c;
}

void CPOSPrinter::StartWorkers() {
  output_->Configure(MakeOutputConfig(), &portLink_);
  output_->Start();
}

void CPOSPrinter::StopWorkers() { output_->Stop(); }

void CPOSPrinter::SetFreezeEvents(int32_t value) { d_.freezeEvents = value; }

int32_t CPOSPrinter::COFreezeEvents(int32_t freeze) {
  coFreezeEvents_ = freeze;
  return OPOS_SUCCESS;
}

void CPOSPrinter::DropQueuedEvents() {}

void CPOSPrinter::PostStatusUpdate(int32_t) {}
void CPOSPrinter::PostOutputComplete(int32_t) {}
void CPOSPrinter::PostError(int32_t, int32_t) {}
