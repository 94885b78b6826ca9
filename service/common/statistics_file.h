// The text of a statistics file: "Name=Value" lines ending in CR LF, the
// first one the installation date ("InstallationDate=YYYY-MM-DD"). Lines
// without "=" or with a value that is no count are skipped when read.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

struct StatisticsFileContent {
  std::map<std::string, int64_t> counts;
  std::string installationDate;  // empty: the file names none
};

StatisticsFileContent ReadStatisticsFile(std::string_view text);
std::string WriteStatisticsFile(const StatisticsFileContent& content);

// The largest count the file holds (18 digits); sums stop there.
constexpr int64_t kMaxStatisticCount = 999999999999999999;
int64_t AddStatisticCounts(int64_t count, int64_t n);
