#include "service/pipeline/escape_sequence.h"

bool IsEscapeIntroducer(std::string_view data, size_t pos) {
  return pos + 1 < data.size() && data[pos] == '\x1B' && data[pos + 1] == '|';
}

bool ParseEscapeSequence(std::string_view data, size_t pos, EscapeSequence* seq) {
  size_t i = pos + 2;
  int64_t n = 0;
  for (; i < data.size() && IsDigit(data[i]); ++i) {
    n = n * 10 + (data[i] - '0');
    if (n > kMaxSequenceNumber) n = kMaxSequenceNumber;
  }
  if (i >= data.size()) return false;
  char modifier = 0;
  if (IsLower(data[i])) {
    if (i + 1 >= data.size() || !IsLetter(data[i + 1])) return false;
    modifier = data[i++];
  } else if (!IsUpper(data[i])) {
    return false;
  }
  seq->number = static_cast<int32_t>(n);
  seq->modifier = modifier;
  seq->command = data[i];
  seq->length = i + 1 - pos;
  return true;
}
