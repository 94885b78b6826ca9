#include "platform/win32/uniscribe_line.h"

#include <climits>

namespace platform {
namespace {

void ToUtf16(const std::u32string& text, UniscribeLine* line) {
  line->text.clear();
  line->code_point.clear();
  for (size_t i = 0; i < text.size(); ++i) {
    const char32_t c = text[i];
    if (c < 0x10000) {
      line->text += static_cast<wchar_t>(c);
      line->code_point.push_back(i);
    } else {
      line->text += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
      line->text += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
      line->code_point.push_back(i);
      line->code_point.push_back(i);
    }
  }
  line->code_point.push_back(text.size());
}

// Rule P2: the first L, R or AL outside isolates decides. Characters past
// the Basic Multilingual Plane count as neutral here.
bool FirstStrongIsRightToLeft(const std::wstring& text) {
  std::vector<WORD> types(text.size());
  if (!GetStringTypeW(CT_CTYPE2, text.data(), static_cast<int>(text.size()), types.data())) return false;
  int isolates = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (c >= 0x2066 && c <= 0x2068) {
      ++isolates;
    } else if (c == 0x2069) {
      if (isolates > 0) --isolates;
    } else if (isolates == 0 && (c < 0xD800 || c > 0xDFFF)) {
      if (types[i] == C2_LEFTTORIGHT) return false;
      if (types[i] == C2_RIGHTTOLEFT) return true;
    }
  }
  return false;
}

}  // namespace

bool ItemizeLine(const std::u32string& text, UniscribeLine* line) {
  ToUtf16(text, line);
  line->items.clear();
  line->visual.clear();
  if (line->text.size() >= static_cast<size_t>(INT_MAX / 2)) return false;
  const int length = static_cast<int>(line->text.size());
  if (length == 0) return true;
  SCRIPT_CONTROL control = {};
  SCRIPT_STATE state = {};
  state.uBidiLevel = FirstStrongIsRightToLeft(line->text) ? 1 : 0;
  // No more items than characters, plus the closing entry.
  line->items.resize(static_cast<size_t>(length) + 2);
  int count = 0;
  if (FAILED(ScriptItemize(line->text.data(), length, length + 1, &control, &state, line->items.data(),
                           &count))) {
    line->items.clear();
    return false;
  }
  line->items.resize(static_cast<size_t>(count) + 1);
  std::vector<BYTE> levels(count);
  for (int i = 0; i < count; ++i) levels[i] = static_cast<BYTE>(line->items[i].a.s.uBidiLevel);
  line->visual = LayoutLevels(levels);
  return static_cast<int>(line->visual.size()) == count;
}

std::vector<int> LayoutLevels(const std::vector<BYTE>& levels) {
  std::vector<int> visual(levels.size());
  if (levels.empty() ||
      FAILED(ScriptLayout(static_cast<int>(levels.size()), levels.data(), visual.data(), nullptr))) {
    visual.clear();
  }
  return visual;
}

}  // namespace platform
