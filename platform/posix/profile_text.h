// Parsing of profile file text the way Windows reads it: a line is trimmed;
// "[name]" (up to the last ']') starts a section; "name=value" is a key
// with both sides trimmed; a line without '=' is a key without a value;
// ';' lines are comments. Lines end at CR, LF or CR LF.
#pragma once

#include <string>
#include <vector>

namespace platform::profile_text {

enum class LineKind { kBlank, kComment, kSection, kKey };

struct Line {
  LineKind kind = LineKind::kBlank;
  std::string name;   // section or key name
  std::string value;  // key value
  bool hasValue = false;
};

bool IsBlank(char c);
std::string Trim(const std::string& text);
std::vector<std::string> SplitLines(const std::string& text);
Line Classify(const std::string& raw);

// Index range [begin, end) of the body of the first section named
// `section` (case-insensitive; "" is the part before the first header),
// with `header` the index of its header line or -1. False if absent.
struct SectionRange {
  int header = -1;
  size_t begin = 0;
  size_t end = 0;
};
bool FindSection(const std::vector<Line>& lines, const std::string& section, SectionRange* range);
// Index of the first key named `key` in the range, or -1.
int FindKey(const std::vector<Line>& lines, const SectionRange& range, const std::string& key);

}  // namespace platform::profile_text
