#include <cstdio>

#include "tests/fuzz/fuzz_drivers.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string problem = RunStatisticsRequestInput(data, size);
  if (!problem.empty()) {
    std::fprintf(stderr, "statistics_request: %s\n", problem.c_str());
    __builtin_trap();
  }
  return 0;
}
