// The printer as its check-health dialog sees it, with that dialog's
// texts. Its test is the printed test receipt.
#pragma once

#include "service/common/health_dialog_rules.h"
#include "service/printer/pos_printer.h"

class CPrinterHealthSubject : public IHealthSubject {
 public:
  static const HealthDialogTexts kTexts;

  explicit CPrinterHealthSubject(CPOSPrinter& printer) : p_(printer) {}

  std::string ServiceObjectDescription() const override;
  int32_t ServiceObjectVersion() const override;
  std::string DeviceDescription() const override;
  std::string DeviceName() const override;
  int32_t PowerState() const override;
  std::vector<bool> StatusBoxes() const override;
  void RunTest() override { p_.ExternalCheck(); }
  int32_t ResultCode() const override;
  int32_t ResultCodeExtended() const override;

 private:
  CPOSPrinter& p_;
};
