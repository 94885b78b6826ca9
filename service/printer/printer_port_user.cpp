#include "service/printer/printer_port_user.h"

// Status interpretation is the output path's; until it is attached the
// reports are only received.
void CPOSPrinter::PortUser::OnPrinterStatus(const uint8_t*) { (void)printer_; }
void CPOSPrinter::PortUser::OnCartridgeStatus(const uint8_t*) {}
void CPOSPrinter::PortUser::OnPowerState(int32_t) {}
