// The printer as its port's monitor thread sees it: status reports go on to
// the status interpretation of the output path. Lives as long as its
// CPOSPrinter; attached to the port from ClaimDevice to ReleaseDevice.
#pragma once

#include "service/port/port_users.h"
#include "service/printer/pos_printer.h"

class CPOSPrinter::PortUser : public IPrinterPortUser {
 public:
  explicit PortUser(CPOSPrinter& printer) : printer_(printer), printerType_(0) {}

  void OnPrinterStatus(const uint8_t status[4]) override;
  void OnCartridgeStatus(const uint8_t status[4]) override;
  void OnPowerState(int32_t state) override;
  int32_t PrinterType() const override { return printerType_; }

  // Set before the port opens, so the monitor thread only ever reads it.
  void SetPrinterType(int32_t type) { printerType_ = type; }

 private:
  CPOSPrinter& printer_;
  int32_t printerType_;
};
