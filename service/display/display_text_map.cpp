#include "service/display/display_text_map.h"

#include <algorithm>

#include "common/codepage/code_page.h"

namespace {

bool IsControl(char16_t c) { return (c < 0x20 && c != u'\r' && c != u'\n') || c == 0x7F; }

}  // namespace

bool MapDisplayText(std::u16string_view data, bool mapCharacterSet, int32_t characterSet,
                    const codepage::Table* table, std::string* bytes) {
  if (std::any_of(data.begin(), data.end(), IsControl)) return false;
  if (mapCharacterSet && characterSet == kDisplayAsciiCharacterSet) {
    for (char16_t c : data) *bytes += c < 0x80 ? static_cast<char>(c) : '?';
  } else if (mapCharacterSet && table) {
    codepage::Encode(*table, data, *bytes);
  } else {
    for (char16_t c : data) *bytes += c < 0x100 ? static_cast<char>(c) : '?';
  }
  return true;
}
