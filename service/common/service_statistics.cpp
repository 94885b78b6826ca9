#include "service/common/service_statistics.h"

#include "common/opos.h"

using namespace opos;

namespace {

int32_t Refuse(int32_t* extended) {
  *extended = OPOS_ESTATS_ERROR;
  return OPOS_E_EXTENDED;
}

}  // namespace

int32_t CServiceStatistics::Retrieve(const std::string& names, IStatisticsDevice* device,
                                     StatisticsEquipment equipment, std::string* document, int32_t* extended) {
  *extended = 0;
  std::vector<const StatisticDefinition*> selected;
  if (!SelectStatistics(names, table_, &selected, nullptr)) return Refuse(extended);
  std::vector<StatisticValue> values;
  for (const StatisticDefinition* s : selected) {
    StatisticValue v{s->name, s->standard, std::string()};
    int64_t count = 0;
    switch (s->source) {
      case StatisticSource::Equipment: continue;  // in the Equipment block
      case StatisticSource::NotKept: break;
      case StatisticSource::Kept: v.value = std::to_string(store_.Value(s->name)); break;
      case StatisticSource::Device:
        if (device != nullptr && device->ReadCounter(s->counter, &count)) v.value = std::to_string(count);
        break;
    }
    values.push_back(std::move(v));
  }
  equipment.installationDate = store_.InstallationDate();
  *document = MakeStatisticsDocument(equipment, values);
  return OPOS_SUCCESS;
}

bool CServiceStatistics::CanSet(const StatisticAssignment& a, IStatisticsDevice* device) const {
  if (a.statistic->source == StatisticSource::Kept) return true;
  // The printer's counters can only be started again from 0.
  return a.statistic->source == StatisticSource::Device && device != nullptr && a.value == 0;
}

bool CServiceStatistics::Apply(const StatisticAssignment& a, IStatisticsDevice* device) {
  if (a.statistic->source == StatisticSource::Device) return device->ResetCounter(a.statistic->counter);
  store_.Set(a.statistic->name, a.value);
  return true;
}

int32_t CServiceStatistics::Reset(const std::string& names, IStatisticsDevice* device, int32_t* extended) {
  *extended = 0;
  std::vector<const StatisticDefinition*> selected;
  if (!SelectStatistics(names, table_, &selected, nullptr)) return Refuse(extended);
  // A group resets what can be reset; statistics only named must be.
  const bool group = NamesAGroup(names);
  std::vector<StatisticAssignment> resets;
  for (const StatisticDefinition* s : selected) {
    const StatisticAssignment a{s, 0};
    if (CanSet(a, device)) {
      resets.push_back(a);
    } else if (!group) {
      return Refuse(extended);
    }
  }
  bool ok = true;
  for (const StatisticAssignment& a : resets) ok = Apply(a, device) && ok;
  return ok ? OPOS_SUCCESS : Refuse(extended);
}

int32_t CServiceStatistics::Update(const std::string& pairs, IStatisticsDevice* device, int32_t* extended) {
  *extended = 0;
  std::vector<StatisticAssignment> assignments;
  if (!ParseStatisticAssignments(pairs, table_, &assignments, nullptr)) return Refuse(extended);
  for (const StatisticAssignment& a : assignments) {
    if (!CanSet(a, device)) return Refuse(extended);
  }
  bool ok = true;
  for (const StatisticAssignment& a : assignments) ok = Apply(a, device) && ok;
  return ok ? OPOS_SUCCESS : Refuse(extended);
}
