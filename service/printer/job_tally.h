// What the application's print data puts on paper, for the statistics:
// each line feed ends a printed line; characters are the bytes from space
// up, leaving out the escape sequences (ESC | ...), which print nothing of
// their own; in UTF-8 text a character's continuation bytes do not count.
#pragma once

#include <cstdint>
#include <string_view>

// What a job prints, for the statistics; counted once it has printed.
struct JobTally {
  int32_t lines = 0;       // line feeds of the application's text
  int32_t characters = 0;  // its characters, escape sequences left out
  int32_t barcodes = 0;
  JobTally& operator+=(const JobTally& o) {
    lines += o.lines;
    characters += o.characters;
    barcodes += o.barcodes;
    return *this;
  }
};

JobTally TallyPrintData(std::string_view data, bool utf8 = false);
