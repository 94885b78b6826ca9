#include "service/common/statistics_file.h"

#include "service/common/statistics_request.h"

namespace {

constexpr std::string_view kDateKey = "InstallationDate";

}  // namespace

StatisticsFileContent ReadStatisticsFile(std::string_view text) {
  StatisticsFileContent content;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    const std::string_view name = line.substr(0, eq), value = line.substr(eq + 1);
    int64_t count = 0;
    if (name == kDateKey) {
      content.installationDate.assign(value);
    } else if (ParseStatisticCount(value, &count)) {
      content.counts[std::string(name)] = count;
    }
  }
  return content;
}

std::string WriteStatisticsFile(const StatisticsFileContent& content) {
  std::string out;
  out.append(kDateKey).append("=").append(content.installationDate).append("\r\n");
  for (const auto& [name, count] : content.counts) out += name + '=' + std::to_string(count) + "\r\n";
  return out;
}

// A count past 18 digits would not read back: the file would lose it.
int64_t AddStatisticCounts(int64_t count, int64_t n) {
  if (n <= 0) return count + n < 0 ? 0 : count + n;
  return n >= kMaxStatisticCount - count ? kMaxStatisticCount : count + n;
}
