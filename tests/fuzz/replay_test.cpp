// Replays every kept fuzz input through the fuzz targets' own checks.
#include <gtest/gtest.h>

#include <string>

#include "tests/fuzz/fuzz_corpus.h"
#include "tests/fuzz/fuzz_drivers.h"

namespace {

std::string RunDriver(const CorpusInput& in) {
  for (size_t i = 0; i < kFuzzDriverCount; ++i) {
    if (std::string(kFuzzDrivers[i].target) == in.target) return kFuzzDrivers[i].run(in.bytes, in.size);
  }
  return std::string("no driver for ") + in.target;
}

TEST(FuzzCorpus, EveryKeptInputHoldsTheTargetsProperties) {
  ASSERT_GT(kCorpusInputCount, 0u);
  for (size_t i = 0; i < kCorpusInputCount; ++i) {
    const CorpusInput& in = kCorpusInputs[i];
    EXPECT_EQ(RunDriver(in), "") << in.target << "/" << in.name;
  }
}

// Every target keeps seeds in every build; those that have had findings
// keep them as regression inputs.
TEST(FuzzCorpus, EveryTargetHasKeptInputs) {
  for (size_t d = 0; d < kFuzzDriverCount; ++d) {
    int kept = 0;
    for (size_t i = 0; i < kCorpusInputCount; ++i) kept += std::string(kCorpusInputs[i].target) == kFuzzDrivers[d].target;
    EXPECT_GT(kept, 0) << kFuzzDrivers[d].target;
  }
}

TEST(FuzzCorpus, EachTargetKeepsRegressionInputs) {
  for (const std::string target : {"translate", "binary_conversion", "picture_decode", "print_area"}) {
    int regressions = 0;
    for (size_t i = 0; i < kCorpusInputCount; ++i) {
      const CorpusInput& in = kCorpusInputs[i];
      if (target == in.target && std::string(in.name).rfind("regression_", 0) == 0) ++regressions;
    }
    EXPECT_GT(regressions, 0) << target;
  }
}

}  // namespace
