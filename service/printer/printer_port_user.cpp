#include "service/printer/printer_port_user.h"

// Status interpretation is the output path's.
void CPOSPrinter::PortUser::OnPrinterStatus(const uint8_t status[4]) { printer_.output_->OnPrinterStatus(status); }
void CPOSPrinter::PortUser::OnCartridgeStatus(const uint8_t status[4]) {
  printer_.output_->OnCartridgeStatus(status);
}
void CPOSPrinter::PortUser::OnPowerState(int32_t state) { printer_.output_->OnPowerState(state); }
