#include "unicode_test_util.h"

#include "common/codepage/code_page.h"
#include "pipeline_test_util.h"

PrintState UnicodeState(bool utf8) {
  PrintState s = QuietState();
  s.unicodeText = true;
  const std::pair<int, int> pages[] = {
      {0, 437},   {29, 737},  {30, 775},  {2, 850},   {18, 852},  {7, 855},   {8, 857},
      {19, 858},  {3, 860},   {21, 862},  {4, 863},   {22, 864},  {5, 865},   {17, 866},
      {36, 874},  {28, 1251}, {16, 1252}, {24, 1253}, {25, 1254}, {33, 1255}, {26, 1257},
  };
  for (const auto& p : pages) s.unicode.pages.Add(static_cast<uint8_t>(p.first), codepage::Find(p.second));
  s.unicode.utf8Mode = utf8;
  return s;
}

PrintState KanjiState(codepage::DoubleByte code) {
  PrintState s = UnicodeState(false);
  s.unicode.kanji = &codepage::Find(code);
  s.unicode.kanjiSelectShiftJis = code == codepage::DoubleByte::ShiftJis;
  return s;
}

SplitOutput SplitPictures(std::string_view bytes) {
  SplitOutput out;
  const std::string head = Bytes("1B 2A 21");
  size_t i = 0;
  while (i < bytes.size()) {
    if (bytes.compare(i, head.size(), head) == 0 && i + 5 <= bytes.size()) {
      const int n = static_cast<unsigned char>(bytes[i + 3]) | (static_cast<unsigned char>(bytes[i + 4]) << 8);
      if (i + 5 + 3 * static_cast<size_t>(n) <= bytes.size()) {
        out.widths.push_back(n);
        out.payloads.emplace_back(bytes.substr(i + 5, 3 * static_cast<size_t>(n)));
        i += 5 + 3 * static_cast<size_t>(n);
        continue;
      }
    }
    out.around += bytes[i++];
  }
  return out;
}
