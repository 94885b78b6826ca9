// Kept fuzz inputs: each must still hold the decoder driver's properties.
#include <dirent.h>
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "tests/fuzz/vprinter_decoder/decoder_driver.h"
#include "tests/fuzz/vprinter_text/text_driver.h"
#include "tests/tools/vprinter/rig.h"

namespace vprinter::test {
namespace {

// Files of the folder whose names start with prefix.
void AddFiles(const std::string& folder, const std::string& prefix, std::vector<std::string>* files) {
  if (DIR* d = opendir(folder.c_str())) {
    while (dirent* e = readdir(d)) {
      std::string name = e->d_name;
      if (name[0] != '.' && name.rfind(prefix, 0) == 0) files->push_back(folder + "/" + name);
    }
    closedir(d);
  }
}

std::vector<std::string> regressionFiles() {
  std::vector<std::string> files;
  AddFiles(VPRINTER_REGRESSIONS_DIR, "regression_", &files);
  return files;
}

TEST(DecoderFuzzInputs, KeptRegressionsStillHold) {
  std::vector<std::string> files = regressionFiles();
  ASSERT_FALSE(files.empty());
  AddFiles(VPRINTER_CORPUS_DIR, "", &files);  // inputs a campaign kept
  for (const std::string& path : files) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(RunVprinterDecoderInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), "")
        << path;
  }
}

TEST(TextFuzzInputs, KeptInputsStillHold) {
  std::vector<std::string> files;
  AddFiles(VPRINTER_TEXT_CORPUS_DIR, "", &files);
  ASSERT_GE(files.size(), 8u);  // one per code and mode at least
  for (const std::string& path : files) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(RunVprinterTextInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), "") << path;
  }
}

TEST(DecoderFuzzInputs, DriverCatchesNothingOnAPlainReceipt) {
  std::string in = "\x03" + hex("1B40 1D610F") + "Hello\n" + hex("1D5601");
  EXPECT_EQ(RunVprinterDecoderInput(reinterpret_cast<const std::uint8_t*>(in.data()), in.size()), "");
}

}  // namespace
}  // namespace vprinter::test
