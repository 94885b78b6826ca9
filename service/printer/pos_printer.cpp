// Construction, the shared precondition check, and the methods this
// printer answers as unsupported.
#include "service/printer/pos_printer.h"

#include "common/opos.h"
#include "service/printer/printer_event_host.h"
#include "service/printer/printer_output_host.h"
#include "service/printer/printer_port_user.h"

using namespace opos;

CPOSPrinter::CPOSPrinter()
    : eventHost_(std::make_unique<EventHost>(*this)),
      events_(std::make_unique<CEventQueue>(eventHost_.get())),
      outputHost_(std::make_unique<OutputHost>(*this)),
      output_(std::make_unique<COutputPath>(*outputHost_)),
      portUser_(std::make_unique<PortUser>(*this)) {}

CPOSPrinter::~CPOSPrinter() { Close(); }

int32_t CPOSPrinter::Result(int32_t rc) {
  d_.resultCode = rc;
  return rc;
}

int32_t CPOSPrinter::State() const {
  std::lock_guard<std::mutex> lock(stateMutex_);
  return state_;
}

void CPOSPrinter::SetState(int32_t state) {
  std::lock_guard<std::mutex> lock(stateMutex_);
  state_ = state;
}

bool CPOSPrinter::CheckState(int32_t flags) {
  d_.resultCode = OPOS_SUCCESS;
  d_.resultCodeExtended = 0;
  if ((flags & CHECK_CLAIMED) && !flags_.claimed) {
    d_.resultCode = OPOS_E_NOTCLAIMED;
  } else if ((flags & CHECK_ENABLED) && !flags_.deviceEnabled) {
    d_.resultCode = OPOS_E_DISABLED;
  } else if ((flags & CHECK_NOT_BUSY) && !flags_.asyncMode && State() != OPOS_S_IDLE) {
    d_.resultCode = OPOS_E_BUSY;
  }
  return d_.resultCode == OPOS_SUCCESS;
}

// Insertion, removal, statistics and firmware are not offered by these
// printers: whatever the arguments and state, the answer is 106.
int32_t CPOSPrinter::Unsupported() { return Result(OPOS_E_ILLEGAL); }

int32_t CPOSPrinter::BeginInsertion(int32_t) { return Unsupported(); }
int32_t CPOSPrinter::BeginRemoval(int32_t) { return Unsupported(); }
int32_t CPOSPrinter::EndInsertion() { return Unsupported(); }
int32_t CPOSPrinter::EndRemoval() { return Unsupported(); }
int32_t CPOSPrinter::ChangePrintSide(int32_t) { return Unsupported(); }
int32_t CPOSPrinter::MarkFeed(int32_t) { return Unsupported(); }
int32_t CPOSPrinter::CompareFirmwareVersion(const std::string&, int32_t*) { return Unsupported(); }
int32_t CPOSPrinter::UpdateFirmware(const std::string&) { return Unsupported(); }
