#include "service/printer/character_set.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "common/opos.h"

namespace {

struct CodePageRow {
  int32_t characterSet;
  uint8_t escT;
};

constexpr CodePageRow kCodePages[] = {
    {1, 1},      {23, 23},    {27, 27},    {31, 31},    {32, 32},    {34, 34},    {35, 35},   {255, 255},
    {437, 0},    {737, 29},   {775, 30},   {850, 2},    {852, 18},   {855, 7},    {857, 8},   {858, 19},
    {860, 3},    {862, 21},   {863, 4},    {864, 22},   {865, 5},    {866, 17},   {874, 36},  {997, 0},   {998, 0},
    {999, 16},   {1251, 28},  {1252, 16},  {1253, 24},  {1254, 25},  {1255, 33},  {1257, 26},
};

constexpr char kUtf8Mode[] = "UTF8";

// The profile's names of the double-byte codes of Kanji mode.
constexpr struct {
  const char* name;
  codepage::DoubleByte code;
} kKanjiModes[] = {
    {"ShiftJIS", codepage::DoubleByte::ShiftJis},
    {"GB18030", codepage::DoubleByte::Gb18030},
    {"Big5", codepage::DoubleByte::Big5},
    {"KSC5601", codepage::DoubleByte::Ksc5601},
};

std::vector<std::string> SplitList(const std::string& list) {
  std::vector<std::string> items;
  size_t start = 0;
  while (start <= list.size()) {
    const size_t comma = std::min(list.find(',', start), list.size());
    if (comma > start) items.push_back(list.substr(start, comma - start));
    start = comma + 1;
  }
  return items;
}

constexpr int32_t kEuroLatin = 858;
constexpr uint8_t kEuroLatinOnPxAa = 11;
constexpr char kPxAaPrefix[] = "PX-AA";

}  // namespace

bool LookUpCodePage(int32_t characterSet, const std::string& deviceName, int16_t* codePage) {
  for (const CodePageRow& row : kCodePages) {
    if (row.characterSet != characterSet) continue;
    uint8_t n = row.escT;
    if (characterSet == kEuroLatin && deviceName.compare(0, sizeof kPxAaPrefix - 1, kPxAaPrefix) == 0) {
      n = kEuroLatinOnPxAa;
    }
    *codePage = n;
    return true;
  }
  return false;
}

int32_t ApplyCharacterSet(PrinterData& d, int32_t characterSet) {
  int16_t codePage = 0;
  if (!LookUpCodePage(characterSet, d.deviceName, &codePage)) return opos::OPOS_E_ILLEGAL;
  d.print.codePage = codePage;
  d.print.resendFlags |= RESEND_CODE_PAGE;
  d.characterSet = characterSet;
  return opos::OPOS_SUCCESS;
}

void BuildUnicodeModel(PrinterData& d) {
  unicode::UnicodeModel& m = d.print.unicode;
  m = unicode::UnicodeModel{};
  for (const std::string& item : SplitList(d.characterSetList)) {
    const int32_t set = std::atoi(item.c_str());
    int16_t escT = 0;
    if (set == opos::PTR_CS_UNICODE || !LookUpCodePage(set, d.deviceName, &escT)) continue;
    m.pages.Add(static_cast<uint8_t>(escT), CharacterSetTable(set));
  }
  m.utf8Mode = d.multiByteMode == kUtf8Mode;
  for (const auto& mode : kKanjiModes) {
    if (d.multiByteMode != mode.name) continue;
    m.kanji = &codepage::Find(mode.code);
    m.kanjiSelectShiftJis = mode.code == codepage::DoubleByte::ShiftJis;
  }
  m.lineWidthDots = d.metrics.lineWidthDots > 0 ? d.metrics.lineWidthDots : m.lineWidthDots;
  const CharacterGeometry& g = d.geometry;
  if (g.dotsPerNormalChar > 0) m.charWidth[0] = g.dotsPerNormalChar;
  if (g.dotsPerCompressedChar > 0) m.charWidth[1] = g.dotsPerCompressedChar;
  if (g.dotsPerNormalCharHeight > 0) m.charHeight[0] = g.dotsPerNormalCharHeight;
  if (g.dotsPerCompressedCharHeight > 0) m.charHeight[1] = g.dotsPerCompressedCharHeight;
}

bool UnicodeText(const PrinterData& d) {
  return d.mapCharacterSet != 0 && d.characterSet == opos::PTR_CS_UNICODE &&
         d.print.binaryConversion == opos::OPOS_BC_NONE;
}

const codepage::Table* CharacterSetTable(int32_t characterSet) {
  switch (characterSet) {
    case 1:
      return codepage::Find(codepage::kKatakana);
    case 998:
      return codepage::Find(437);
    case 999:
      return codepage::Find(1252);
    case codepage::kKatakana:
      return nullptr;  // not a CharacterSet value
    default:
      return codepage::Find(characterSet);
  }
}
