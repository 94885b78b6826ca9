#include "service/common/health_dialog_rules.h"

#include <cstdio>

#include "common/error_string.h"
#include "common/opos.h"

using namespace opos;

const char* PowerStateName(int32_t powerState) {
  switch (powerState) {
    case OPOS_PS_ONLINE:
      return "Online";
    case OPOS_PS_OFF:
    case OPOS_PS_OFFLINE:
    case OPOS_PS_OFF_OFFLINE:
      return "Offline";
    default:
      return "Unknown";
  }
}

std::string CHealthDialogRules::Caption() const { return t_.caption + s_.DeviceName(); }

std::string CHealthDialogRules::Values() const {
  const uint32_t v = static_cast<uint32_t>(s_.ServiceObjectVersion());
  char version[48];
  std::snprintf(version, sizeof version, "%u.%u.%u", v / 1000000, (v / 1000) % 1000, v % 1000);
  return s_.ServiceObjectDescription() + (t_.blankSecondLine ? "\n\n" : "\n") + version + "\n" +
         s_.DeviceDescription() + "\n" + s_.DeviceName();
}

std::string CHealthDialogRules::PowerLine() const {
  return std::string("Power State: ") + PowerStateName(s_.PowerState());
}

std::string CHealthDialogRules::Press(const std::function<void(const std::string&)>& showProgress) {
  if (showProgress) showProgress(t_.inProgress);
  s_.RunTest();
  return MakeErrorString(s_.ResultCode(), s_.ResultCodeExtended());
}
