// Kept fuzz inputs of the display decoder: each must still hold the
// driver's properties.
#include <dirent.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/fuzz/display_decoder/display_driver.h"
#include "tests/tools/vprinter/rig.h"

namespace vprinter::test {
namespace {

std::string run(const std::string& bytes) {
  return RunDisplayDecoderInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

TEST(DisplayFuzzInputs, KeptInputsStillHold) {
  std::vector<std::string> files;
  if (DIR* d = opendir(DISPLAY_CORPUS_DIR)) {
    while (dirent* e = readdir(d))
      if (e->d_name[0] != '.') files.push_back(std::string(DISPLAY_CORPUS_DIR) + "/" + e->d_name);
    closedir(d);
  }
  ASSERT_GE(files.size(), 3u);
  for (const std::string& path : files) {
    std::ifstream in(path, std::ios::binary);
    EXPECT_EQ(run(std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>())), "") << path;
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
