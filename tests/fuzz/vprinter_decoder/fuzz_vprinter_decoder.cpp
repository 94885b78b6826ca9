// libFuzzer entry for the virtual printer's decoder and printer core.
#include <cstdio>
#include <cstdlib>

#include "tests/fuzz/vprinter_decoder/decoder_driver.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string problem = RunVprinterDecoderInput(data, size);
  if (!problem.empty()) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    std::abort();
  }
  return 0;
}
