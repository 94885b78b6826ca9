// The UPOSStat XML document RetrieveStatistics returns: the Equipment
// block, then one Parameter (standard statistics) or ManufacturerSpecific
// (the manufacturer's own) per statistic with its Name and Value; a Value
// is empty for a statistic the device does not record.
#pragma once

#include <string>
#include <vector>

struct StatisticsEquipment {
  std::string unifiedPosVersion;  // "1.9"
  std::string deviceCategory;     // "POSPrinter", "CashDrawer"
  std::string manufacturerName;
  std::string modelName;
  std::string serialNumber;
  std::string firmwareRevision;
  std::string interfaceName;     // "RS232", "Parallel", "USB", "Ethernet"
  std::string installationDate;  // YYYY-MM-DD
};

struct StatisticValue {
  std::string name;
  bool standard = true;
  std::string value;  // empty: not recorded
};

// Text is 8-bit in the system code page; bytes that XML 1.0 cannot carry
// (control characters other than tab and line ends) are left out and
// markup characters are escaped.
std::string MakeStatisticsDocument(const StatisticsEquipment& equipment, const std::vector<StatisticValue>& values);

// What XML needs escaped in text and attribute values; exposed for tests.
std::string EscapeXmlText(const std::string& text);
