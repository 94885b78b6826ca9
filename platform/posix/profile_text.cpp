#include "platform/posix/profile_text.h"

#include "platform/posix/text_fold.h"

namespace platform::profile_text {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f' || c == 0x1a; }

std::string Trim(const std::string& text) {
  size_t begin = 0;
  size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  return text.substr(begin, end - begin);
}

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  // A UTF-8 byte order mark is not part of the first line.
  if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) start = 3;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
  }
  return lines;
}

Line Classify(const std::string& raw) {
  Line line;
  const std::string text = Trim(raw);
  if (text.empty()) return line;
  if (text[0] == ';') {
    line.kind = LineKind::kComment;
    return line;
  }
  if (text[0] == '[') {
    const size_t close = text.rfind(']');
    if (close != std::string::npos && close > 0) {
      line.kind = LineKind::kSection;
      line.name = text.substr(1, close - 1);
      return line;
    }
    // A header without ']' reads as a key line, as on Windows.
  }
  line.kind = LineKind::kKey;
  const size_t equals = text.find('=');
  if (equals == std::string::npos) {
    line.name = text;
    return line;
  }
  line.name = Trim(text.substr(0, equals));
  line.value = Trim(text.substr(equals + 1));
  line.hasValue = true;
  return line;
}

bool FindSection(const std::vector<Line>& lines, const std::string& section, SectionRange* range) {
  const std::string wanted = Trim(section);
  int header = -1;
  bool found = wanted.empty();
  size_t begin = 0;
  for (size_t i = 0; i <= lines.size(); ++i) {
    const bool boundary = i == lines.size() || lines[i].kind == LineKind::kSection;
    if (!boundary) continue;
    if (found) {
      *range = SectionRange{header, begin, i};
      return true;
    }
    if (i < lines.size() && FoldEqual(lines[i].name, wanted)) {
      found = true;
      header = static_cast<int>(i);
      begin = i + 1;
    }
  }
  return false;
}

int FindKey(const std::vector<Line>& lines, const SectionRange& range, const std::string& key) {
  const std::string wanted = Trim(key);
  for (size_t i = range.begin; i < range.end; ++i) {
    if (lines[i].kind == LineKind::kKey && FoldEqual(lines[i].name, wanted)) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace platform::profile_text
