#include <cstdio>

#include "tests/fuzz/fuzz_drivers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string problem = RunUnicodeInput(data, size);
  if (!problem.empty()) {
    std::fprintf(stderr, "unicode: %s\n", problem.c_str());
    __builtin_trap();
  }
  return 0;
}
