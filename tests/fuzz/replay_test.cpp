// Replays every kept fuzz input through the fuzz targets' own checks.
#include <gtest/gtest.h>

#include <string>

#include "tests/fuzz/fuzz_corpus.h"
#include "tests/fuzz/fuzz_drivers.h"

namespace {

std::string RunDriver(const CorpusInput& in) {
  const std::string target = in.target;
  if (target == "translate") return RunTranslateInput(in.bytes, in.size);
  if (target == "binary_conversion") return RunBinaryConversionInput(in.bytes, in.size);
  if (target == "portmgr_framer") return RunPortmgrFramerInput(in.bytes, in.size);
  if (target == "profile") return RunProfileInput(in.bytes, in.size);
  if (target == "picture_decode") return RunPictureDecodeInput(in.bytes, in.size);
  if (target == "print_area") return RunPrintAreaInput(in.bytes, in.size);
  if (target == "setup_file") return RunSetupFileInput(in.bytes, in.size);
  return "no driver for " + target;
}

TEST(FuzzCorpus, EveryKeptInputHoldsTheTargetsProperties) {
  ASSERT_GT(kCorpusInputCount, 0u);
  for (size_t i = 0; i < kCorpusInputCount; ++i) {
    const CorpusInput& in = kCorpusInputs[i];
    EXPECT_EQ(RunDriver(in), "") << in.target << "/" << in.name;
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
