// The drawer's statistics: the kicks that opened the drawer and those that
// did not, and the kicks that could not be written.
#include "common/opos.h"
#include "service/drawer/cash_drawer.h"

using namespace opos;

namespace {
constexpr char kGoodOpens[] = "DrawerGoodOpenCount";
constexpr char kFailedOpens[] = "DrawerFailedOpenCount";
constexpr char kCommunicationErrors[] = "CommunicationErrorCount";

}  // namespace

std::vector<StatisticDefinition> CCashDrawer::StatisticsTable() {
  using S = StatisticSource;
  return WithEquipmentStatistics({
      {"HoursPoweredCount", true, S::NotKept},   {kCommunicationErrors, true, S::Kept},
      {kGoodOpens, true, S::Kept},               {kFailedOpens, true, S::Kept},
  });
}

// A kick that went out and whose drawer was never seen open before the
// next one failed.
void CCashDrawer::CountKick(bool written) {
  if (kickPending_.exchange(written ? 1 : 0) != 0) stats_.Add(kFailedOpens, 1);
  if (written) return;
  stats_.Add(kFailedOpens, 1);
  stats_.Add(kCommunicationErrors, 1);
}

// Monitor thread.
void CCashDrawer::CountDrawerSeen(bool open) {
  if (open && kickPending_.exchange(0) != 0) stats_.Add(kGoodOpens, 1);
}

bool CCashDrawer::CheckStatisticsState() {
  resultCodeExtended_ = 0;
  if (claimed_) return CheckEnabled();
  Result(OPOS_E_NOTCLAIMED);
  return false;
}

int32_t CCashDrawer::RetrieveStatistics(std::string* statistics) {
  if (!CheckStatisticsState()) return resultCode_;
  StatisticsEquipment e;
  e.unifiedPosVersion = "1." + std::to_string(kServiceObjectVersion / 1000 % 1000);
  e.deviceCategory = "CashDrawer";
  e.manufacturerName = "Tavo";
  e.modelName = deviceName_;
  e.interfaceName = StatisticsInterfaceOf(port_.portName);
  std::string document;
  const int32_t rc = stats_.Retrieve(*statistics, nullptr, e, &document, &resultCodeExtended_);
  if (rc == OPOS_SUCCESS) *statistics = document;
  resultCode_ = rc;
  return rc;
}

int32_t CCashDrawer::ResetStatistics(const std::string& names) {
  if (!CheckStatisticsState()) return resultCode_;
  return resultCode_ = stats_.Reset(names, nullptr, &resultCodeExtended_);
}

int32_t CCashDrawer::UpdateStatistics(const std::string& statistics) {
  if (!CheckStatisticsState()) return resultCode_;
  return resultCode_ = stats_.Update(statistics, nullptr, &resultCodeExtended_);
}
