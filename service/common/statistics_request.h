// The statistics a Service Object reports, and the arguments of
// RetrieveStatistics, ResetStatistics and UpdateStatistics:
//   ""                   every statistic
//   "U_"                 every statistic the standard defines
//   "M_"                 every statistic of the manufacturer's own
//   "Name1,Name2"        those named (spaces around a name are ignored)
// UpdateStatistics takes "name=value" pairs, where the name may also be
// "", "U_" or "M_" for all of that kind. Names compare exactly.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class StatisticSource {
  Kept,       // counted by the Service Object in its statistics file
  Device,     // one of the printer's maintenance counters
  Equipment,  // part of the document's Equipment block
  NotKept,    // defined for the device category, not recorded here
};

struct StatisticDefinition {
  const char* name;
  bool standard;  // defined by the standard; false: the manufacturer's own
  StatisticSource source;
  int32_t counter = 0;  // Device: the maintenance counter's number
};

// The Equipment statistics every device's table begins with, then `own`.
std::vector<StatisticDefinition> WithEquipmentStatistics(std::vector<StatisticDefinition> own);

struct StatisticAssignment {
  const StatisticDefinition* statistic;
  int64_t value;
};

// The statistics the argument selects, in table order and each once.
// False when a listed name is not in the table (*unknown names it).
bool SelectStatistics(std::string_view argument, const std::vector<StatisticDefinition>& table,
                      std::vector<const StatisticDefinition*>* selected, std::string* unknown);

// The UpdateStatistics pairs; a group name ("", "U_", "M_") assigns its
// value to every resettable statistic of the group (Kept and Device ones).
// False for a name not in the table, a pair without "=", or a value that is
// not a non-negative decimal number; nothing is assigned then.
bool ParseStatisticAssignments(std::string_view argument, const std::vector<StatisticDefinition>& table,
                               std::vector<StatisticAssignment>* assignments, std::string* bad);

// A count as the statistics methods and the store write it: a decimal of
// at most 18 digits, no sign.
bool ParseStatisticCount(std::string_view text, int64_t* value);

// The Interface of the Equipment block for a device entry's port name.
const char* StatisticsInterfaceOf(const std::string& portName);

// Whether the argument holds a group ("", "U_" or "M_") among its names.
bool NamesAGroup(std::string_view argument);

// Kept and Device statistics can be set; Equipment and NotKept cannot.
inline bool Resettable(const StatisticDefinition& s) {
  return s.source == StatisticSource::Kept || s.source == StatisticSource::Device;
}
