// How DisplayText's characters become display bytes: CR and LF stay (they
// move the cursor), any other control character refuses the text (it would
// be a command to the display). With MapCharacterSet on, CharacterSet 998
// is ASCII ("?" above 7F) and a code page's table maps each character ("?"
// for what it lacks); off, characters below 100 are the bytes themselves.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace codepage {
struct Table;
}

constexpr int32_t kDisplayAsciiCharacterSet = 998;

// False (bytes untouched) for text holding a control character.
bool MapDisplayText(std::u16string_view data, bool mapCharacterSet, int32_t characterSet,
                    const codepage::Table* table, std::string* bytes);
