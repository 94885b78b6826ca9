#include "service/common/statistics_request.h"

#include <algorithm>

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
  while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
  return s;
}

std::vector<std::string_view> SplitCommas(std::string_view s) {
  std::vector<std::string_view> parts;
  size_t pos = 0;
  for (;;) {
    const size_t comma = s.find(',', pos);
    parts.push_back(Trim(s.substr(pos, comma == std::string_view::npos ? std::string_view::npos : comma - pos)));
    if (comma == std::string_view::npos) return parts;
    pos = comma + 1;
  }
}

bool InGroup(const StatisticDefinition& s, std::string_view group) {
  if (group.empty()) return true;
  if (group == "U_") return s.standard;
  if (group == "M_") return !s.standard;
  return false;
}

bool IsGroup(std::string_view name) { return name.empty() || name == "U_" || name == "M_"; }

const StatisticDefinition* Find(const std::vector<StatisticDefinition>& table, std::string_view name) {
  for (const StatisticDefinition& s : table) {
    if (name == s.name) return &s;
  }
  return nullptr;
}

void AddOnce(std::vector<const StatisticDefinition*>* out, const StatisticDefinition* s) {
  if (std::find(out->begin(), out->end(), s) == out->end()) out->push_back(s);
}

}  // namespace

bool ParseStatisticCount(std::string_view text, int64_t* value) {
  if (text.empty() || text.size() > 18) return false;
  int64_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  *value = v;
  return true;
}

// USB printers are opened by their device path (\\?\usb#...).
const char* StatisticsInterfaceOf(const std::string& portName) {
  const std::string kind = portName.substr(0, 3);
  if (kind == "COM") return "RS232";
  if (kind == "LPT") return "Parallel";
  if (kind == "USB" || portName.rfind("\\\\", 0) == 0) return "USB";
  return "Ethernet";
}

bool NamesAGroup(std::string_view argument) {
  for (std::string_view name : SplitCommas(argument)) {
    if (IsGroup(name)) return true;
  }
  return false;
}

bool SelectStatistics(std::string_view argument, const std::vector<StatisticDefinition>& table,
                      std::vector<const StatisticDefinition*>* selected, std::string* unknown) {
  std::vector<const StatisticDefinition*> out;
  for (std::string_view name : SplitCommas(argument)) {
    if (IsGroup(name)) {
      for (const StatisticDefinition& s : table) {
        if (InGroup(s, name)) AddOnce(&out, &s);
      }
      continue;
    }
    const StatisticDefinition* s = Find(table, name);
    if (s == nullptr) {
      if (unknown != nullptr) unknown->assign(name);
      return false;
    }
    AddOnce(&out, s);
  }
  // Table order, whatever the order asked.
  std::vector<const StatisticDefinition*> ordered;
  for (const StatisticDefinition& s : table) {
    if (std::find(out.begin(), out.end(), &s) != out.end()) ordered.push_back(&s);
  }
  selected->swap(ordered);
  return true;
}

bool ParseStatisticAssignments(std::string_view argument, const std::vector<StatisticDefinition>& table,
                               std::vector<StatisticAssignment>* assignments, std::string* bad) {
  std::vector<StatisticAssignment> out;
  for (std::string_view pair : SplitCommas(argument)) {
    const size_t eq = pair.find('=');
    int64_t value = 0;
    const std::string_view name = eq == std::string_view::npos ? pair : Trim(pair.substr(0, eq));
    if (eq == std::string_view::npos || !ParseStatisticCount(Trim(pair.substr(eq + 1)), &value)) {
      if (bad != nullptr) bad->assign(pair);
      return false;
    }
    if (IsGroup(name)) {
      for (const StatisticDefinition& s : table) {
        if (InGroup(s, name) && Resettable(s)) out.push_back({&s, value});
      }
      continue;
    }
    const StatisticDefinition* s = Find(table, name);
    if (s == nullptr) {
      if (bad != nullptr) bad->assign(name);
      return false;
    }
    out.push_back({s, value});
  }
  assignments->swap(out);
  return true;
}

std::vector<StatisticDefinition> WithEquipmentStatistics(std::vector<StatisticDefinition> own) {
  using S = StatisticSource;
  std::vector<StatisticDefinition> table{
      {"UnifiedPOSVersion", true, S::Equipment}, {"DeviceCategory", true, S::Equipment},
      {"ManufacturerName", true, S::Equipment},  {"ModelName", true, S::Equipment},
      {"SerialNumber", true, S::Equipment},      {"ManufactureDate", true, S::Equipment},
      {"MechanicalRevision", true, S::Equipment}, {"FirmwareRevision", true, S::Equipment},
      {"Interface", true, S::Equipment},         {"InstallationDate", true, S::Equipment},
  };
  table.insert(table.end(), own.begin(), own.end());
  return table;
}
