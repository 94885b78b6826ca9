// The worker side of the life cycle: the event queue and the output path,
// their start and stop, the event gates, and the records the workers post.
#include "common/opos.h"
#include "service/printer/pos_printer.h"
#include "service/common/device_environment.h"

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

// Event delivery first, then output, as OpenService orders them. Without
// its delivery window the object still opens, with 111 in ResultCode.
void CPOSPrinter::StartWorkers() {
  if (!events_->Start(controlObject_, eventDispIds_)) Result(OPOS_E_FAILURE);
  d_.freezeEvents = 0;
  output_->Configure(MakeOutputConfig(), &portLink_);
  output_->Start();
}

// Neither stop needs forced termination: every wait of both threads ends
// when they are told to stop.
void CPOSPrinter::StopWorkers() {
  events_->Stop();
  output_->Stop();
}

void CPOSPrinter::SetFreezeEvents(int32_t value) {
  d_.freezeEvents = value;
  events_->SetFreezeEvents(value);
}

int32_t CPOSPrinter::COFreezeEvents(int32_t freeze) {
  events_->SetCOFreezeEvents(freeze);
  return OPOS_SUCCESS;
}

void CPOSPrinter::DropQueuedEvents() { events_->Clear(); }

void CPOSPrinter::PostStatusUpdate(int32_t status) { events_->PostEvent(MakeStatusUpdateEvent(status)); }
void CPOSPrinter::PostOutputComplete(int32_t outputId) { events_->PostEvent(MakeOutputCompleteEvent(outputId)); }
void CPOSPrinter::PostError(int32_t resultCode, int32_t resultCodeExtended) {
  events_->PostEvent(MakeErrorEvent(resultCode, resultCodeExtended));
}
