// A Service Object's exclusive claim on its device (ClaimDevice), shared
// by every Control Object of every application on the machine: printer and
// drawer each claim their own device entry, so a drawer on a printer's port
// is claimed apart from that printer.
//
// Threads: the Service Object's calling thread.
#pragma once

#include <cstdint>
#include <string>

#include "platform/device_claim.h"

class CServiceClaim {
 public:
  // deviceClass: "POSPrinter", "CashDrawer", ...
  explicit CServiceClaim(const char* deviceClass) : deviceClass_(deviceClass) {}

  // ClaimDevice's timeout: 0 tries once, > 0 waits that many ms, -1
  // (OPOS_FOREVER) waits for ever. The OPOS result: 0 taken, 106 for a
  // timeout below -1, 112 when another holder kept it, 111 when the
  // system refused the claim object.
  int32_t Claim(const std::string& deviceName, int32_t timeout);
  void Release() { claim_.Release(); }
  bool Held() const { return claim_.Held(); }
  // The last Claim took the device from a holder that died holding it.
  bool FromDeadHolder() const { return fromDeadHolder_; }

 private:
  const char* deviceClass_;
  platform::CDeviceClaim claim_;
  bool fromDeadHolder_ = false;
};
