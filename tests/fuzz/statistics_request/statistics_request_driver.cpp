// Statistics arguments: a selection is in table order without repeats and
// does not depend on the order of the names; a refused one names a piece
// of the argument that is no statistic. Accepted assignments hold counts
// of at most 18 digits, set only what may be set when a group is named,
// and read back the same when written out as pairs again.
#include <algorithm>
#include <string_view>

#include "service/common/statistics_request.h"
#include "tests/fuzz/fuzz_drivers.h"

namespace {

using S = StatisticSource;

const std::vector<StatisticDefinition>& Table() {
  static const std::vector<StatisticDefinition> table = WithEquipmentStatistics({
      {"HoursPoweredCount", true, S::Device, 3},
      {"PaperCutCount", true, S::Kept},
      {"ReceiptCoverOpenCount", true, S::NotKept},
      {"M_HeadTemperature", false, S::NotKept},
      {"M_LogoPrintedCount", false, S::Kept},
  });
  return table;
}

bool InTable(std::string_view name) {
  const auto& t = Table();
  return std::any_of(t.begin(), t.end(), [&](const StatisticDefinition& s) { return name == s.name; });
}

// The argument's comma-separated pieces in reverse order.
std::string Reversed(std::string_view argument) {
  std::vector<std::string_view> pieces;
  for (size_t pos = 0;;) {
    const size_t comma = argument.find(',', pos);
    pieces.push_back(argument.substr(pos, comma == std::string_view::npos ? std::string_view::npos : comma - pos));
    if (comma == std::string_view::npos) break;
    pos = comma + 1;
  }
  std::string out;
  for (auto it = pieces.rbegin(); it != pieces.rend(); ++it) out.append(it == pieces.rbegin() ? "" : ",").append(*it);
  return out;
}

std::string CheckSelection(std::string_view argument) {
  std::vector<const StatisticDefinition*> selected;
  std::string unknown;
  const bool ok = SelectStatistics(argument, Table(), &selected, &unknown);
  if (!ok) {
    if (InTable(unknown) || argument.find(unknown) == std::string_view::npos) return "refused for a statistic";
    return "";
  }
  const StatisticDefinition* first = Table().data();
  for (size_t i = 1; i < selected.size(); ++i)
    if (selected[i] - first <= selected[i - 1] - first) return "selection out of table order";
  std::vector<const StatisticDefinition*> again;
  if (!SelectStatistics(Reversed(argument), Table(), &again, nullptr) || again != selected)
    return "selection depends on the order of the names";
  return "";
}

std::string CheckAssignments(std::string_view argument) {
  std::vector<StatisticAssignment> assigned;
  std::string bad;
  if (!ParseStatisticAssignments(argument, Table(), &assigned, &bad)) {
    if (argument.find(bad) == std::string_view::npos) return "refusal names what the argument lacks";
    return "";
  }
  const bool group = NamesAGroup(argument);
  std::string pairs;
  for (const StatisticAssignment& a : assigned) {
    if (a.value < 0 || a.value > 999999999999999999) return "count out of range";
    if (group && !Resettable(*a.statistic) && argument.find(a.statistic->name) == std::string_view::npos)
      return "a group assigns what cannot be set";
    pairs += (pairs.empty() ? "" : ",") + std::string(a.statistic->name) + "=" + std::to_string(a.value);
  }
  std::vector<StatisticAssignment> again;
  if (!pairs.empty() && !ParseStatisticAssignments(pairs, Table(), &again, nullptr)) return "written pairs refused";
  if (again.size() != (pairs.empty() ? 0 : assigned.size())) return "written pairs read back differently";
  for (size_t i = 0; i < again.size(); ++i)
    if (again[i].statistic != assigned[i].statistic || again[i].value != assigned[i].value)
      return "written pairs read back differently";
  return "";
}

}  // namespace

std::string RunStatisticsRequestInput(const uint8_t* data, size_t size) {
  const std::string_view argument(reinterpret_cast<const char*>(data), size);
  std::string problem = CheckSelection(argument);
  if (problem.empty()) problem = CheckAssignments(argument);
  return problem;
}
