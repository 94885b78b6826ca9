// libFuzzer entry for the virtual printer's Kanji-mode and UTF-8 decoding.
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/vprinter_text/text_driver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string problem = RunVprinterTextInput(data, size);
  if (!problem.empty()) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
