// A line display model's profile (the file named by the device entry's
// "inf"): its screen, code tables and capabilities. Section [LINEDISPLAY]
// holds the numbers and lists, [CODETABLE] maps each CharacterSet value
// to its ESC t number ("858=19").
#pragma once

#include <cstdint>
#include <map>
#include <string>

struct DisplayProfile {
  int32_t rows = 0;
  int32_t columns = 0;
  int32_t deviceWindows = 0;
  int32_t characterSet = 0;
  std::string characterSetList;
  std::map<int32_t, uint8_t> codeTables;  // CharacterSet -> ESC t n
  int32_t international = 0;             // ESC R n sent at enable
  int32_t capBlink = 0;
  int32_t capBlinkRate = 0;
  int32_t capBrightness = 0;
  int32_t capReverse = 0;
  int32_t capCursorType = 0;
  int32_t capHMarquee = 0;
  int32_t capVMarquee = 0;
  int32_t capICharWait = 0;
  int32_t capMapCharacterSet = 0;
};

// The largest screen any profile may give; rows or columns beyond it, or
// below 1, make the profile unusable.
constexpr int32_t kMaxDisplayRows = 8;
constexpr int32_t kMaxDisplayColumns = 80;

// 0, or 106 when the file gives no usable screen (missing file, rows or
// columns out of range) or a CharacterSet without a code table.
int32_t ReadDisplayProfile(const std::string& path, DisplayProfile* profile);
