// libFuzzer entry for the customer display's decoder and screen.
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/display_decoder/display_driver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string problem = RunDisplayDecoderInput(data, size);
  if (!problem.empty()) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
