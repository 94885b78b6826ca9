// RetrieveStatistics, ResetStatistics and UpdateStatistics over a table of
// statistics, the counters kept in a CStatisticsStore and, for a printer,
// its maintenance counters. Shared by the Service Objects.
//
// Results: 0; or 114 (OPOS_E_EXTENDED) with the extended code 280
// (OPOS_ESTATS_ERROR) for a name the table does not hold, a malformed
// update, a statistic that cannot be reset or set (Equipment, NotKept, or
// a maintenance counter set to anything but 0), or a device that did not
// take the reset. Nothing is changed when the argument is refused.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "service/common/statistics_document.h"
#include "service/common/statistics_request.h"
#include "service/common/statistics_store.h"

// The device's own counters (a printer's maintenance counters).
class IStatisticsDevice {
 public:
  virtual ~IStatisticsDevice() = default;
  virtual bool ReadCounter(int32_t counter, int64_t* value) = 0;
  virtual bool ResetCounter(int32_t counter) = 0;
};

class CServiceStatistics {
 public:
  explicit CServiceStatistics(std::vector<StatisticDefinition> table) : table_(std::move(table)) {}

  const std::vector<StatisticDefinition>& Table() const { return table_; }
  CStatisticsStore& Store() { return store_; }

  // Counts a Kept statistic.
  void Add(const std::string& name, int64_t n) { store_.Add(name, n); }

  // device may be null: Device statistics then read empty and cannot be
  // reset. equipment's installation date is filled here.
  int32_t Retrieve(const std::string& names, IStatisticsDevice* device, StatisticsEquipment equipment,
                   std::string* document, int32_t* extended);
  int32_t Reset(const std::string& names, IStatisticsDevice* device, int32_t* extended);
  int32_t Update(const std::string& pairs, IStatisticsDevice* device, int32_t* extended);

 private:
  bool CanSet(const StatisticAssignment& a, IStatisticsDevice* device) const;
  bool Apply(const StatisticAssignment& a, IStatisticsDevice* device);

  std::vector<StatisticDefinition> table_;
  CStatisticsStore store_;
};
