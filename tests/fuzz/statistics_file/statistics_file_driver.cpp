// The statistics file: whatever a damaged file holds, what is read writes
// out as a file that reads back the same and writes out the same again,
// and the document made of it is markup-safe.
#include <algorithm>
#include <string_view>

#include "service/common/statistics_document.h"
#include "service/common/statistics_file.h"
#include "tests/fuzz/fuzz_drivers.h"

namespace {

bool SameContent(const StatisticsFileContent& a, const StatisticsFileContent& b) {
  return a.counts == b.counts && a.installationDate == b.installationDate;
}

// No '&' but that of an entity, no control characters but line ends and
// tabs, and as much markup as with plain names and values (an empty one
// stays empty: it makes an empty element).
std::string CheckDocument(const std::string& xml, const std::string& plain) {
  const auto tags = [](const std::string& s) { return std::count(s.begin(), s.end(), '<'); };
  if (tags(xml) != tags(plain)) return "names or values make markup";
  for (size_t i = 0; i < xml.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(xml[i]);
    if (c < 0x20 && c != '\n' && c != '\r' && c != '\t') return "control character in the document";
    if (c == '&' && xml.compare(i, 5, "&amp;") != 0 && xml.compare(i, 4, "&lt;") != 0 &&
        xml.compare(i, 4, "&gt;") != 0 && xml.compare(i, 6, "&quot;") != 0 && xml.compare(i, 6, "&apos;") != 0)
      return "bare '&' in the document";
  }
  return "";
}

}  // namespace

std::string RunStatisticsFileInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  const StatisticsFileContent read = ReadStatisticsFile(text);
  for (const auto& [name, count] : read.counts)
    if (count < 0 || count > kMaxStatisticCount) return "count out of range";
  const std::string written = WriteStatisticsFile(read);
  const StatisticsFileContent again = ReadStatisticsFile(written);
  if (!SameContent(read, again)) return "written file reads back differently";
  if (WriteStatisticsFile(again) != written) return "written file writes out differently";

  StatisticsEquipment equipment, plainEquipment;
  equipment.installationDate = read.installationDate;
  const auto plain = [](const std::string& s) { return std::string(s.empty() ? "" : "x"); };
  plainEquipment.installationDate = plain(read.installationDate);
  std::vector<StatisticValue> values, plainValues;
  for (const auto& [name, count] : read.counts) {
    const bool standard = name.rfind("M_", 0) != 0;
    values.push_back({name, standard, std::to_string(count)});
    plainValues.push_back({plain(name), standard, "1"});
  }
  return CheckDocument(MakeStatisticsDocument(equipment, values), MakeStatisticsDocument(plainEquipment, plainValues));
}
