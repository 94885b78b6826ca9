// One line as Uniscribe takes it: UTF-16, cut into items of one script and
// one bidi level, and the items' display order. Shared by the display order
// and the drawn runs.
#pragma once

#include <windows.h>
#include <usp10.h>

#include <string>
#include <vector>

namespace platform {

struct UniscribeLine {
  std::wstring text;
  std::vector<size_t> code_point;  // per UTF-16 unit (and one past the end): its code point
  std::vector<SCRIPT_ITEM> items;  // with the closing entry after the last item
  std::vector<int> visual;         // item indexes, left to right

  int count() const { return static_cast<int>(items.size()) - 1; }
  int start(int item) const { return items[item].iCharPos; }
  int end(int item) const { return items[item + 1].iCharPos; }
  bool rtl(int item) const { return (items[item].a.s.uBidiLevel & 1) != 0; }
};

// `text` holds scalar values only. Paragraph level from the first strong
// character, left to right when there is none. False when Uniscribe fails.
bool ItemizeLine(const std::u32string& text, UniscribeLine* line);

// Display order of pieces at these levels (rule L2), left to right.
std::vector<int> LayoutLevels(const std::vector<BYTE>& levels);

}  // namespace platform
