#include "service/printer/job_tally.h"

#include "service/pipeline/escape_sequence.h"

JobTally TallyPrintData(std::string_view data, bool utf8) {
  JobTally t;
  for (size_t i = 0; i < data.size(); ++i) {
    EscapeSequence seq;
    if (IsEscapeIntroducer(data, i) && ParseEscapeSequence(data, i, &seq) && seq.length > 0) {
      i += seq.length - 1;
      continue;
    }
    const unsigned char c = static_cast<unsigned char>(data[i]);
    if (c == '\n') ++t.lines;
    const bool continuation = utf8 && (c & 0xC0) == 0x80;
    if (c >= 0x20 && c != 0x7F && !continuation) ++t.characters;
  }
  return t;
}
