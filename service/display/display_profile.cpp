#include "service/display/display_profile.h"

#include <sstream>

#include "common/opos.h"
#include "common/profile.h"

namespace {

constexpr char kSection[] = "LINEDISPLAY";
constexpr char kCodeTableSection[] = "CODETABLE";

struct NumberKey {
  const char* key;
  int32_t DisplayProfile::*field;
  int32_t fallback;
};

const NumberKey kNumbers[] = {
    {"DeviceRows", &DisplayProfile::rows, 0},
    {"DeviceColumns", &DisplayProfile::columns, 0},
    {"DeviceWindows", &DisplayProfile::deviceWindows, 0},
    {"CharacterSet", &DisplayProfile::characterSet, 998},
    {"International", &DisplayProfile::international, 0},
    {"CapBlink", &DisplayProfile::capBlink, 0},
    {"CapBlinkRate", &DisplayProfile::capBlinkRate, 0},
    {"CapBrightness", &DisplayProfile::capBrightness, 0},
    {"CapReverse", &DisplayProfile::capReverse, 0},
    {"CapCursorType", &DisplayProfile::capCursorType, 0},
    {"CapHMarquee", &DisplayProfile::capHMarquee, 0},
    {"CapVMarquee", &DisplayProfile::capVMarquee, 0},
    {"CapICharWait", &DisplayProfile::capICharWait, 0},
    {"CapMapCharacterSet", &DisplayProfile::capMapCharacterSet, 0},
};

// Every listed set that has a table number; the list keeps only those.
void ReadCodeTables(const std::string& path, DisplayProfile* p) {
  std::istringstream list(ReadProfileString(path, kSection, "CharacterSetList"));
  std::string item, kept;
  while (std::getline(list, item, ',')) {
    const int32_t set = std::atoi(item.c_str());
    const int32_t table = ReadProfileInt(path, kCodeTableSection, std::to_string(set), -1);
    if (set <= 0 || table < 0 || table > 255) continue;
    p->codeTables[set] = static_cast<uint8_t>(table);
    kept += (kept.empty() ? "" : ",") + std::to_string(set);
  }
  p->characterSetList = kept;
}

}  // namespace

int32_t ReadDisplayProfile(const std::string& path, DisplayProfile* p) {
  *p = DisplayProfile();
  for (const NumberKey& n : kNumbers) p->*n.field = ReadProfileInt(path, kSection, n.key, n.fallback);
  ReadCodeTables(path, p);
  const bool screen = p->rows >= 1 && p->rows <= kMaxDisplayRows && p->columns >= 1 &&
                      p->columns <= kMaxDisplayColumns;
  if (p->deviceWindows < 0) p->deviceWindows = 0;
  if (!screen || p->codeTables.count(p->characterSet) == 0) return opos::OPOS_E_ILLEGAL;
  return opos::OPOS_SUCCESS;
}
