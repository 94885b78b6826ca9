#include "common/error_string.h"

#include <cstdio>

#include "common/opos.h"

namespace {

struct ResultNameRow {
  int32_t code;
  int32_t extended;  // kAny matches every extended code
  const char* name;
};

constexpr int32_t kAny = -1;

// Rows with a specific extended code come before the code's catch-all row.
constexpr ResultNameRow kResultNames[] = {
    {opos::OPOS_SUCCESS, kAny, "Success"},
    {opos::OPOS_E_CLOSED, kAny, "Closed"},
    {opos::OPOS_E_CLAIMED, kAny, "Claimed"},
    {opos::OPOS_E_NOTCLAIMED, kAny, "Notclaimed"},
    {opos::OPOS_E_NOSERVICE, kAny, "Noservice"},
    {opos::OPOS_E_DISABLED, kAny, "Disabled"},
    {opos::OPOS_E_ILLEGAL, kAny, "Illegal"},
    {opos::OPOS_E_NOHARDWARE, kAny, "Nohardware"},
    {opos::OPOS_E_OFFLINE, kAny, "Offline"},
    {opos::OPOS_E_NOEXIST, kAny, "Noexist"},
    {opos::OPOS_E_EXISTS, kAny, "Exists"},
    {opos::OPOS_E_FAILURE, opos::TAVO_EFAIL_UNRECOVERABLE, "Unrecoverable failure"},
    {opos::OPOS_E_FAILURE, opos::TAVO_EFAIL_CUTTER, "Knife cut failure"},
    {opos::OPOS_E_FAILURE, opos::TAVO_EFAIL_MECHANICAL, "Mechanical failure"},
    {opos::OPOS_E_FAILURE, kAny, "Failure"},
    {opos::OPOS_E_TIMEOUT, kAny, "Timeout"},
    {opos::OPOS_E_BUSY, kAny, "Busy"},
    {opos::OPOS_E_EXTENDED, opos::OPOS_EPTR_COVER_OPEN, "Cover Open"},
    {opos::OPOS_E_EXTENDED, opos::OPOS_EPTR_REC_EMPTY, "Paper Empty"},
    {opos::OPOS_E_EXTENDED, opos::OPOS_EPTR_REC_CARTRIDGE_REMOVED, "Cartridge Removed"},
    {opos::OPOS_E_EXTENDED, opos::OPOS_EPTR_REC_CARTRIDGE_EMPTY, "Cartridge Empty"},
    {opos::OPOS_E_EXTENDED, opos::OPOS_EPTR_REC_HEAD_CLEANING, "Head Cleaning"},
    {opos::OPOS_E_EXTENDED, kAny, "Extended Error"},
};

}  // namespace

const char* ResultName(int32_t code, int32_t extended) {
  for (const ResultNameRow& row : kResultNames) {
    if (row.code == code && (row.extended == kAny || row.extended == extended)) return row.name;
  }
  return "Unknown error value";
}

std::string MakeErrorString(int32_t code, int32_t extended) {
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%s (%d/%d)", ResultName(code, extended), static_cast<int>(code),
                static_cast<int>(extended));
  return buffer;
}
