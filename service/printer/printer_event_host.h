// The printer as its event queue sees it during delivery: State, the last
// reported status values that decide whether a StatusUpdate is current,
// FlagWhenIdle, and the hand-back of the application's error answer.
// Called on the thread that called OpenService.
#pragma once

#include "service/printer/event_queue.h"
#include "service/printer/pos_printer.h"

class CPOSPrinter::EventHost : public IEventHost {
 public:
  explicit EventHost(CPOSPrinter& printer) : p_(printer) {}

  void SetState(int32_t state) override { p_.SetState(state); }
  int32_t LastCoverStatus() override { return p_.output_->LastCoverStatus(); }
  int32_t LastPaperStatus() override { return p_.output_->LastPaperStatus(); }
  int32_t LastCartridgeStatus() override { return p_.output_->LastCartridgeStatus(); }
  int32_t PowerState() override { return p_.output_->PowerState(); }
  bool TakeFlagWhenIdle() override {
    if (p_.output_->FlagWhenIdle() == 0) return false;
    p_.output_->ClearFlagWhenIdle();
    return true;
  }
  void OnErrorResponse(int32_t response) override { p_.output_->OnErrorResponse(response); }

 private:
  CPOSPrinter& p_;
};
