// Recognition of one escape sequence in print data: ESC | [digits]
// [lowercase modifier] command letter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

struct EscapeSequence {
  int32_t number = 0;  // N; 0 without digits, saturated at kMaxSequenceNumber
  char modifier = 0;   // lowercase letter, 0 when none
  char command = 0;    // upper or lower case letter
  size_t length = 0;   // bytes from the ESC to the command letter inclusive
};

constexpr int32_t kMaxSequenceNumber = 0x7FFFFFFF;

// True when data[pos..] starts with the introducer ESC |.
bool IsEscapeIntroducer(std::string_view data, size_t pos);

// Parses the sequence whose introducer starts at data[pos]. False when the
// introducer is malformed (no command letter where one must be).
bool ParseEscapeSequence(std::string_view data, size_t pos, EscapeSequence* seq);

// ASCII classes; independent of locale and defined for every char value.
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }
inline bool IsLower(char c) { return c >= 'a' && c <= 'z'; }
inline bool IsUpper(char c) { return c >= 'A' && c <= 'Z'; }
inline bool IsLetter(char c) { return IsLower(c) || IsUpper(c); }
