#include "service/pipeline/page/page_mode.h"

#include <algorithm>
#include <limits>

#include "service/pipeline/printer_commands.h"

namespace {

bool Blank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

int32_t ParseDecimalField(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && Blank(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  constexpr int64_t kLimit = static_cast<int64_t>(std::numeric_limits<int32_t>::max()) + 1;
  int64_t value = 0;
  for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) value = std::min(value * 10 + (text[i] - '0'), kLimit);
  if (negative) return static_cast<int32_t>(-value);
  return static_cast<int32_t>(std::min<int64_t>(value, kLimit - 1));
}

std::string BuildPageModeHeader(int32_t printDirection) {
  std::string out(cmd::kPageMode);
  out.append(cmd::kPageDirection);
  // A direction outside 1..4 (a profile without one) prints as direction 1.
  out.push_back(static_cast<char>(printDirection >= 1 && printDirection <= 4 ? printDirection - 1 : 0));
  return out;
}

bool ParsePrintArea(std::string_view text, int32_t fields[4]) {
  int32_t parsed[4] = {0, 0, 0, 0};
  size_t start = 0;
  for (int i = 0; i < 4; ++i) {
    const size_t comma = i < 3 ? text.find(',', start) : std::string_view::npos;
    if (i < 3 && comma == std::string_view::npos) return false;
    parsed[i] = ParseDecimalField(text.substr(start, comma == std::string_view::npos ? text.npos : comma - start));
    start = comma + 1;
  }
  for (int i = 0; i < 4; ++i) fields[i] = parsed[i];
  return true;
}
