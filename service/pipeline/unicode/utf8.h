// UTF-8 as CharacterSet 997's print data travels from the automation layer
// to the pipeline. Escape sequences and ASCII stay single bytes.
#pragma once

#include <string>
#include <string_view>

namespace unicode {

constexpr char32_t kReplacement = 0xFFFD;

// One character decoded at data[*pos], which advances past it. Ill-formed
// bytes give one U+FFFD per maximal ill-formed part; *pos always advances.
char32_t NextCharacter(std::string_view data, size_t* pos);

// Every character of data.
std::u32string DecodeUtf8(std::string_view data);

// Appends the UTF-8 form of c (a value that is no scalar value as U+FFFD).
void AppendUtf8(char32_t c, std::string& out);

// UTF-16 to UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8FromUtf16(std::u16string_view text);

}  // namespace unicode
