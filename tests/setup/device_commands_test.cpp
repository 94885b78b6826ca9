// Removal and the health check sequence of the main window.
#include "setup/main/device_commands.h"

#include <gtest/gtest.h>

#include "common/registry_access.h"
#include "common/registry_schema.h"
#include "platform/registry_test_support.h"
#include "setup/hosting/control_object.h"
#include "tests/setup/message_box_script.h"

using namespace devsetup;
using device_rules::ClassKeyPath;
using device_rules::DeviceKeyPath;

namespace {

// A Control Object that logs each call and fails where told.
class ControlLog : public IOposControl {
 public:
  int32_t Open(const std::string& name) override { return Log("Open " + name, openResult); }
  int32_t ClaimDevice(int32_t ms) override { return Log("Claim " + std::to_string(ms), claimResult); }
  void SetDeviceEnabled(bool on) override {
    Log(on ? "Enable" : "Disable", 0);
    enabled = on && enables;
  }
  bool DeviceEnabled() override { return enabled; }
  int32_t CheckHealth(int32_t level) override { return Log("CheckHealth " + std::to_string(level), 0); }
  int32_t ReleaseDevice() override { return Log("Release", 0); }
  int32_t Close() override { return Log("Close", 0); }
  void SetNumberProperty20(int32_t v) override { Log("P20 " + std::to_string(v), 0); }
  std::string TextProperty105() override { return "detail"; }
  void SetFlagProperty106(bool v) override { Log(v ? "P106 on" : "P106 off", 0); }

  int32_t Log(const std::string& call, int32_t result) {
    calls.push_back(call);
    return result;
  }
  std::vector<std::string> calls;
  int32_t openResult = 0, claimResult = 0;
  bool enables = true, enabled = false;
};

using Calls = std::vector<std::string>;

class DeviceCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::test_support::ResetRegistry(); }
  void AddDevice(DeviceClass c, const std::string& name, const std::string& ldn) {
    ASSERT_TRUE(reg_.WriteString(DeviceKeyPath(c, name), schema::kLDN, ldn));
    if (!ldn.empty()) {
      ASSERT_TRUE(reg_.WriteString(ClassKeyPath(c), ldn, name));
    }
  }
  bool Exists(DeviceClass c, const std::string& name) { return reg_.KeyExists(DeviceKeyPath(c, name)); }
  bool HasClassValue(DeviceClass c, const std::string& name) {
    std::string ignored;
    return reg_.ReadString(ClassKeyPath(c), name, &ignored);
  }
  CRegistryAccess reg_;
  ScriptedMessageBox box_;
};

TEST_F(DeviceCommandsTest, RemovalAsksThenDeletesTheKeyAndItsLdn) {
  AddDevice(DeviceClass::kPOSPrinter, "TavoPOS-R200", "Till1");
  AddDevice(DeviceClass::kPOSPrinter, "TavoPOS-R300", "");
  const TreeSelection r200{"TavoPOS-R200", 2, DeviceClass::kPOSPrinter};

  box_.answers = {false};
  EXPECT_FALSE(RemoveSelectedDevice(reg_, box_, r200));
  EXPECT_TRUE(Exists(DeviceClass::kPOSPrinter, "TavoPOS-R200"));
  EXPECT_TRUE(HasClassValue(DeviceClass::kPOSPrinter, "Till1"));

  EXPECT_TRUE(RemoveSelectedDevice(reg_, box_, r200));
  EXPECT_FALSE(Exists(DeviceClass::kPOSPrinter, "TavoPOS-R200"));
  EXPECT_FALSE(HasClassValue(DeviceClass::kPOSPrinter, "Till1"));
  EXPECT_TRUE(Exists(DeviceClass::kPOSPrinter, "TavoPOS-R300"));
  EXPECT_EQ(box_.shown.back(),
            "Remove Device: Are you sure you want to delete all setting information about TavoPOS-R200");
}

TEST_F(DeviceCommandsTest, RemovalOfDrawersAndDisplaysAndNothingForOtherNodes) {
  AddDevice(DeviceClass::kCashDrawer, "CashDrawer", "Drawer1");
  AddDevice(DeviceClass::kLineDisplay, "QDX-200", "");
  EXPECT_TRUE(RemoveSelectedDevice(reg_, box_, {"CashDrawer", 2, DeviceClass::kCashDrawer}));
  EXPECT_FALSE(HasClassValue(DeviceClass::kCashDrawer, "Drawer1"));
  EXPECT_TRUE(RemoveSelectedDevice(reg_, box_, {"QDX-200", 2, DeviceClass::kLineDisplay}));
  EXPECT_FALSE(Exists(DeviceClass::kLineDisplay, "QDX-200"));

  box_.shown.clear();
  EXPECT_FALSE(RemoveSelectedDevice(reg_, box_, {"POSPrinter", 1, std::nullopt}));
  EXPECT_FALSE(RemoveSelectedDevice(reg_, box_, {"Device", 0, std::nullopt}));
  EXPECT_TRUE(box_.shown.empty());
}

TEST_F(DeviceCommandsTest, HealthCheckRunsTheWholeSequenceAndClosesOnEveryPath) {
  const TreeSelection printer{"TavoPOS-R200", 2, DeviceClass::kPOSPrinter};
  ControlLog good;
  EXPECT_TRUE(CheckSelectedDevice(box_, printer, good));
  EXPECT_EQ(good.calls, (Calls{"Open TavoPOS-R200", "Claim 1000", "Enable", "P106 on", "CheckHealth 3", "Disable",
                               "Release", "Close"}));
  EXPECT_TRUE(box_.shown.empty());

  ControlLog noOpen;
  noOpen.openResult = 109;
  CheckSelectedDevice(box_, printer, noOpen);
  EXPECT_EQ(noOpen.calls, (Calls{"Open TavoPOS-R200", "Close"}));
  EXPECT_EQ(box_.shown.back(), "OPOSPrinter Open Error : detail");

  ControlLog noClaim;
  noClaim.claimResult = 102;
  CheckSelectedDevice(box_, {"CashDrawer", 2, DeviceClass::kCashDrawer}, noClaim);
  EXPECT_EQ(noClaim.calls, (Calls{"Open CashDrawer", "Claim 1000", "Close"}));
  EXPECT_EQ(box_.shown.back(), "CashDrawer Claim Error ! ");

  ControlLog noEnable;
  noEnable.enables = false;
  CheckSelectedDevice(box_, {"CashDrawer", 2, DeviceClass::kCashDrawer}, noEnable);
  EXPECT_EQ(noEnable.calls.back(), "Close");
  EXPECT_EQ(box_.shown.back(), "CashDrawer DeviceEnabled Error !");
}

TEST_F(DeviceCommandsTest, HealthCheckIgnoresClassNodesAndTheRoot) {
  ControlLog control;
  EXPECT_FALSE(CheckSelectedDevice(box_, {"POSPrinter", 1, std::nullopt}, control));
  EXPECT_FALSE(CheckSelectedDevice(box_, {"Device", 0, std::nullopt}, control));
  EXPECT_TRUE(control.calls.empty());
}

TEST(UtilityFolderTest, IsTheInstallFolderAndUtility) {
  EXPECT_EQ(UtilityFolder("C:\\Tavo"), "C:\\Tavo\\Utility");
  EXPECT_EQ(UtilityFolder(""), "\\Utility");
}

}  // namespace
