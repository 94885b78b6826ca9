// The printer as its output path sees it: result codes, settings, State,
// the pipeline over this printer's PrintState, and event records.
#pragma once

#include "service/printer/output_path.h"
#include "service/printer/pos_printer.h"

class CPOSPrinter::OutputHost : public IOutputHost {
 public:
  explicit OutputHost(CPOSPrinter& printer) : p_(printer) {}

  bool CheckState(int32_t flags) override { return p_.CheckState(flags); }
  int32_t ResultCode() const override { return p_.d_.resultCode; }
  void SetResultCode(int32_t code) override { p_.d_.resultCode = code; }
  void SetResultCodeExtended(int32_t code) override { p_.d_.resultCodeExtended = code; }

  bool Claimed() const override { return p_.flags_.claimed != 0; }
  bool DeviceEnabled() const override { return p_.flags_.deviceEnabled != 0; }
  bool AsyncMode() const override { return p_.flags_.asyncMode != 0; }
  bool PowerNotifying() const override { return p_.flags_.capPowerReporting != 0 && p_.flags_.powerNotify != 0; }
  int32_t CartridgeNotify() const override { return p_.flags_.cartridgeNotify; }
  int32_t RecCurrentCartridge() const override { return p_.flags_.recCurrentCartridge; }

  void SetState(int32_t state) override { p_.SetState(state); }

  std::string BuildStatePrefix() override;
  int32_t TranslateText(const std::string& data, std::string* out) override;
  void ResetRotation() override;
  void MarkResendAll() override;
  bool AppendToPage(const std::vector<std::string>& strings, const JobTally& tally) override;

  void PostStatusUpdate(int32_t status) override { p_.PostStatusUpdate(status); }
  void PostOutputComplete(int32_t outputId) override { p_.PostOutputComplete(outputId); }
  void PostError(int32_t rc, int32_t rce) override { p_.PostError(rc, rce); }

  JobTally TallyText(const std::string& data) override;
  void CountPrinted(const JobTally& tally) override { p_.CountPrinted(tally); }
  void CountEvent(OutputEvent event) override { p_.CountEvent(event); }

 private:
  CPOSPrinter& p_;
};
