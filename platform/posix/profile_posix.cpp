// Private profile files off Windows: the rules of platform/profile_file.h
// on real files. Reads and writes are serialised by one mutex so a writer
// never leaves a half-written file to a reader of this process.
#include <fstream>
#include <mutex>
#include <sstream>

#include "platform/posix/profile_path.h"
#include "platform/posix/profile_text.h"
#include "platform/profile_file.h"

namespace platform {
namespace {

using profile_text::Line;

std::mutex g_fileMutex;

bool LoadFile(const std::string& file, std::string* text) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  *text = buffer.str();
  return true;
}

std::vector<Line> ClassifyAll(const std::vector<std::string>& raw) {
  std::vector<Line> lines;
  lines.reserve(raw.size());
  for (const std::string& text : raw) lines.push_back(profile_text::Classify(text));
  return lines;
}

std::string Truncate(const std::string& text, size_t bufferChars) {
  if (bufferChars == 0) return std::string();
  return text.size() < bufferChars ? text : text.substr(0, bufferChars - 1);
}

// One pair of equal quotes (' or ") around a value is dropped. When the
// value does not fit, the closing quote falls outside and only the opening
// one goes; the last character is still dropped when exactly full.
std::string CopyEntry(const std::string& value, size_t bufferChars) {
  std::string text = value;
  bool quoted = false;
  if (text.size() >= 2 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0]) {
    quoted = true;
    text.erase(0, 1);
  }
  std::string out = Truncate(text, bufferChars);
  if (quoted && bufferChars >= text.size() && !out.empty()) out.pop_back();
  return out;
}

// Trailing blanks of a default are dropped, never its first character.
std::string TrimDefault(const std::string& value) {
  size_t end = value.size();
  while (end > 1 && value[end - 1] == ' ') --end;
  return value.substr(0, end);
}

}  // namespace

std::string ProfileGetString(const std::string& path, const std::string& section, const std::string& key,
                             const std::string& defaultValue, size_t bufferChars) {
  const std::string fallback = TrimDefault(defaultValue);
  std::string text;
  {
    std::lock_guard<std::mutex> lock(g_fileMutex);
    if (path.empty() || !LoadFile(profile_path::Resolve(MapProfilePath(path)), &text))
      return Truncate(fallback, bufferChars);
  }
  const std::vector<Line> lines = ClassifyAll(profile_text::SplitLines(text));
  profile_text::SectionRange range;
  if (!key.empty() && profile_text::FindSection(lines, section, &range)) {
    const int index = profile_text::FindKey(lines, range, key);
    if (index >= 0 && lines[index].hasValue) return CopyEntry(lines[index].value, bufferChars);
  }
  return CopyEntry(fallback, bufferChars);
}

namespace {

// The leading number the way Windows converts it: blanks, a sign, then
// 0x / 0o / 0b or decimal digits; stops at the first other character.
int32_t LeadingNumber(const std::string& text) {
  size_t i = 0;
  while (i < text.size() && static_cast<unsigned char>(text[i]) <= ' ') ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  unsigned base = 10;
  if (i + 1 < text.size() && text[i] == '0') {
    const char p = text[i + 1];
    base = p == 'x' ? 16 : p == 'o' ? 8 : p == 'b' ? 2 : 10;
    if (base != 10) i += 2;
  }
  uint32_t value = 0;
  for (; i < text.size(); ++i) {
    const char c = text[i];
    unsigned digit = 99;
    if (c >= '0' && c <= '9') digit = static_cast<unsigned>(c - '0');
    else if (c >= 'a' && c <= 'z') digit = static_cast<unsigned>(c - 'a' + 10);
    else if (c >= 'A' && c <= 'Z') digit = static_cast<unsigned>(c - 'A' + 10);
    if (digit >= base) break;
    value = value * base + digit;
  }
  return static_cast<int32_t>(negative ? 0u - value : value);
}

}  // namespace

int32_t ProfileGetInt(const std::string& path, const std::string& section, const std::string& key,
                      int32_t defaultValue) {
  const std::string text = ProfileGetString(path, section, key, "", 30);
  if (text.empty()) return defaultValue;
  return LeadingNumber(text);
}

namespace {

std::string JoinLines(const std::vector<std::string>& raw) {
  std::string text;
  for (const std::string& line : raw) text += line + "\r\n";
  return text;
}

// Edits the raw lines; false when nothing needs writing.
bool Apply(std::vector<std::string>* raw, const std::string& section, const std::string& key,
           const std::string& value) {
  const std::vector<Line> lines = ClassifyAll(*raw);
  profile_text::SectionRange range;
  if (!profile_text::FindSection(lines, section, &range)) {
    const std::string name = profile_text::Trim(section);
    if (name.empty()) {
      raw->insert(raw->begin(), key + "=" + value);
    } else {
      raw->push_back("[" + name + "]");
      raw->push_back(key + "=" + value);
    }
    return true;
  }
  const int index = profile_text::FindKey(lines, range, key);
  if (index >= 0) {
    if (lines[index].hasValue && lines[index].value == value) return false;
    (*raw)[index] = lines[index].name + "=" + value;
    return true;
  }
  // After the section's last non-blank line, so blank separators stay.
  size_t at = range.begin;
  for (size_t i = range.begin; i < range.end; ++i) {
    if (lines[i].kind != profile_text::LineKind::kBlank) at = i + 1;
  }
  raw->insert(raw->begin() + static_cast<long>(at), key + "=" + value);
  return true;
}

}  // namespace

bool ProfileWriteString(const std::string& path, const std::string& section, const std::string& key,
                        const std::string& value) {
  const std::string name = profile_text::Trim(key);
  if (path.empty() || name.empty()) return false;
  size_t first = 0;
  while (first < value.size() && profile_text::IsBlank(value[first])) ++first;
  std::lock_guard<std::mutex> lock(g_fileMutex);
  const std::string file = profile_path::Resolve(MapProfilePath(path));
  std::string text;
  LoadFile(file, &text);
  std::vector<std::string> raw = profile_text::SplitLines(text);
  if (!Apply(&raw, section, name, value.substr(first))) return true;
  std::ofstream out(file, std::ios::binary | std::ios::trunc);
  if (!out) return false;
  out << JoinLines(raw);
  out.flush();
  return static_cast<bool>(out);
}

}  // namespace platform
