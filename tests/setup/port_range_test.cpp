// Port range rules on a real setup.inf.
#include "setup/main/port_range.h"

#include <gtest/gtest.h>

#include "common/profile.h"
#include "common/registry_access.h"
#include "common/registry_schema.h"
#include "common/setup_data.h"
#include "platform/registry_test_support.h"
#include "tests/setup/message_box_script.h"
#include "tests/support/temp_folder.h"

using namespace devsetup;

namespace {

class PortRangeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::test_support::ResetRegistry();
    ASSERT_TRUE(reg_.WriteString(schema::kServiceInfoKey, schema::kInstalldir, folder_.Path()));
  }
  std::string Key(const char* key) {
    return ReadProfileString(setup_data::DataFilePath(folder_.Path(), "setup.inf"), "Description", key, "<none>");
  }
  CRegistryAccess reg_;
  tavo_test::TempFolder folder_;
  ScriptedMessageBox box_;
};

TEST_F(PortRangeTest, MissingKeysShowFourAndTwoAndSavingCreatesTheFile) {
  CPortRangeRules rules(reg_);
  EXPECT_EQ(rules.Serial(), 4);
  EXPECT_EQ(rules.Parallel(), 2);
  rules.Defaults();
  EXPECT_EQ(rules.Parallel(), 1);
  ASSERT_TRUE(rules.Save("4", "1", box_));
  EXPECT_EQ(Key("COMRange"), "4");
  EXPECT_EQ(Key("LPTRange"), "1");
  EXPECT_EQ(Key("LPTMRange"), "1");
  EXPECT_EQ(setup_data::ReadComRange(folder_.Path()), 4);
}

TEST_F(PortRangeTest, StoredCountsAreShownAndKeptBesideOtherKeys) {
  folder_.Write("setup.inf", "[DESCRIPTION]\r\nVersion=1.9.3\r\nCOMRange=12\r\nLPTRange=7\r\n");
  CPortRangeRules rules(reg_);
  EXPECT_EQ(rules.Serial(), 12);
  EXPECT_EQ(rules.Parallel(), 7);
  ASSERT_TRUE(rules.Save("8", "10", box_));
  EXPECT_EQ(Key("COMRange"), "8");
  EXPECT_EQ(Key("LPTRange"), "10");
  EXPECT_EQ(Key("Version"), "1.9.3");
  EXPECT_TRUE(box_.shown.empty());
}

TEST_F(PortRangeTest, BadTextIsRefusedWithTheRangeAndNothingIsWritten) {
  folder_.Write("setup.inf", "[Description]\r\nCOMRange=6\r\nLPTRange=3\r\n");
  CPortRangeRules rules(reg_);
  const std::pair<const char*, const char*> refused[] = {
      {"51", "1"}, {"0", "1"}, {"", "1"}, {"4x", "1"}, {"-4", "1"}, {"99999999999999999999", "1"},
      {"4", "11"}, {"4", "0"}, {"4", "two"}};
  for (const auto& [serial, parallel] : refused) {
    box_.shown.clear();
    EXPECT_FALSE(rules.Save(serial, parallel, box_)) << serial << "/" << parallel;
    ASSERT_EQ(box_.shown.size(), 1u);
  }
  EXPECT_EQ(box_.shown[0], "Please enter a number between 1 and 10.");
  EXPECT_EQ(Key("COMRange"), "6");
  EXPECT_EQ(Key("LPTRange"), "3");
  EXPECT_TRUE(rules.Save(" 50 ", "10", box_));
  EXPECT_EQ(Key("COMRange"), "50");
}

TEST_F(PortRangeTest, DamagedCountsOpenWithinTheControlsRange) {
  folder_.Write("setup.inf", "[Description]\r\nCOMRange=900\r\nLPTRange=0\r\n");
  CPortRangeRules rules(reg_);
  EXPECT_EQ(rules.Serial(), 50);
  EXPECT_EQ(rules.Parallel(), 1);
}

}  // namespace
