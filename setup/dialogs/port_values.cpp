#include "setup/dialogs/port_values.h"

#include <algorithm>
#include <cstdio>
#include <limits>

namespace devsetup {

int32_t DecimalValue(const std::string& text) {
  int64_t value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') break;
    value = std::min<int64_t>(value * 10 + (c - '0'), std::numeric_limits<int32_t>::max());
  }
  return static_cast<int32_t>(value);
}

std::array<int, 4> ParseIpAddress(const std::string& text) {
  std::array<int, 4> parts{};
  size_t start = 0;
  for (int& part : parts) {
    if (start > text.size()) break;
    const size_t dot = text.find('.', start);
    part = std::min<int32_t>(DecimalValue(text.substr(start, dot - start)), 255);
    start = dot == std::string::npos ? text.size() + 1 : dot + 1;
  }
  return parts;
}

std::string FormatIpAddress(const std::array<int, 4>& parts) {
  char text[48];
  std::snprintf(text, sizeof text, "%d.%d.%d.%d", parts[0], parts[1], parts[2], parts[3]);
  return text;
}

}  // namespace devsetup
