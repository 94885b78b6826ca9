// The Value a statistics document gives a statistic: "" for an empty
// Value, "absent" when the document has no entry of that Name.
#pragma once

#include <string>

namespace tavo_test {

inline std::string StatisticValue(const std::string& doc, const std::string& name) {
  const size_t at = doc.find("<Name>" + name + "</Name>");
  if (at == std::string::npos) return "absent";
  const size_t v = doc.find("<Value", at);
  if (v == std::string::npos) return "absent";
  if (doc.compare(v, 8, "<Value/>") == 0) return "";
  const size_t end = doc.find("</Value>", v);
  return end == std::string::npos ? "absent" : doc.substr(v + 7, end - v - 7);
}

}  // namespace tavo_test
