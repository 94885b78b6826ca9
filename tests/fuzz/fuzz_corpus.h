// The kept fuzz inputs (tests/fuzz/<target>/corpus/*.bin), embedded in the
// replay test at configure time so every build, Windows included, runs them
// without reaching for files.
#pragma once

#include <cstddef>

struct CorpusInput {
  const char* target;  // folder name: translate, binary_conversion
  const char* name;    // file name
  const unsigned char* bytes;
  size_t size;
};

extern const CorpusInput kCorpusInputs[];
extern const size_t kCorpusInputCount;
