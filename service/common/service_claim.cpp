#include "service/common/service_claim.h"

#include "common/opos.h"
#include "common/trace.h"

using namespace opos;

int32_t CServiceClaim::Claim(const std::string& deviceName, int32_t timeout) {
  fromDeadHolder_ = false;
  if (timeout < OPOS_FOREVER) return OPOS_E_ILLEGAL;
  switch (claim_.Acquire(platform::DeviceClaimName(deviceClass_, deviceName), timeout)) {
    case platform::ClaimResult::kTaken:
      return OPOS_SUCCESS;
    case platform::ClaimResult::kTakenFromDeadHolder:
      fromDeadHolder_ = true;
      Trace("ClaimDevice %s: the last holder ended without releasing", deviceName.c_str());
      return OPOS_SUCCESS;
    case platform::ClaimResult::kTimedOut:
      return OPOS_E_TIMEOUT;
    case platform::ClaimResult::kFailed:
      break;
  }
  return OPOS_E_FAILURE;
}
