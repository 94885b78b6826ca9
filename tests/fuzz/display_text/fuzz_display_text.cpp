// libFuzzer entry for the line display text path.
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/display_text/display_text_driver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string problem = RunDisplayTextInput(data, size);
  if (!problem.empty()) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
