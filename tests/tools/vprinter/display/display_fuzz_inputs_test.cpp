// Kept fuzz inputs of the display decoder and of the line display's text
// path: each must still hold its driver's properties.
#include <dirent.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/fuzz/display_decoder/display_driver.h"
#include "tests/fuzz/display_text/display_text_driver.h"
#include "tests/tools/vprinter/rig.h"

namespace vprinter::test {
namespace {

std::string run(const std::string& bytes) {
  return RunDisplayDecoderInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

std::vector<std::string> keptInputs(const std::string& folder) {
  std::vector<std::string> inputs;
  if (DIR* d = opendir(folder.c_str())) {
    while (dirent* e = readdir(d)) {
      if (e->d_name[0] == '.') continue;
      std::ifstream in(folder + "/" + e->d_name, std::ios::binary);
      inputs.emplace_back((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    closedir(d);
  }
  return inputs;
}

TEST(DisplayFuzzInputs, KeptInputsStillHold) {
  const std::vector<std::string> inputs = keptInputs(DISPLAY_CORPUS_DIR);
  ASSERT_GE(inputs.size(), 3u);
  for (size_t i = 0; i < inputs.size(); ++i) EXPECT_EQ(run(inputs[i]), "") << i;
}

TEST(DisplayFuzzInputs, KeptTextInputsStillHold) {
  const std::vector<std::string> inputs = keptInputs(DISPLAY_TEXT_CORPUS_DIR);
  ASSERT_GE(inputs.size(), 3u);
  for (size_t i = 0; i < inputs.size(); ++i) {
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(inputs[i].data());
    EXPECT_EQ(RunDisplayTextInput(bytes, inputs[i].size()), "") << i;
  }
}

TEST(DisplayFuzzInputs, DriverPassesEveryModeAndModel) {
  for (char first : {'\x00', '\x05', '\x85'})
    for (const char* mode : {"1F01", "1F02", "1F03"})
      EXPECT_EQ(run(std::string(1, first) + hex(mode) + std::string(90, 'a') + hex("08 1F0A 0A 1F24 1B26 01 41")), "")
          << mode;
}

}  // namespace
}  // namespace vprinter::test
