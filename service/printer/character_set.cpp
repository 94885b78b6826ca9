#include "service/printer/character_set.h"

#include "common/opos.h"

namespace {

struct CodePageRow {
  int32_t characterSet;
  uint8_t escT;
};

constexpr CodePageRow kCodePages[] = {
    {1, 1},      {23, 23},    {27, 27},    {31, 31},    {32, 32},    {34, 34},    {35, 35},   {255, 255},
    {437, 0},    {737, 29},   {775, 30},   {850, 2},    {852, 18},   {855, 7},    {857, 8},   {858, 19},
    {860, 3},    {862, 21},   {863, 4},    {864, 22},   {865, 5},    {866, 17},   {874, 36},  {998, 0},
    {999, 16},   {1251, 28},  {1252, 16},  {1253, 24},  {1254, 25},  {1255, 33},  {1257, 26},
};

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
