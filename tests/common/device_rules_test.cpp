// Port kind, device naming and LDN mapping over the registry.
#include "common/device_rules.h"

#include <gtest/gtest.h>

#include "common/registry_access.h"
#include "common/registry_schema.h"
#include "platform/registry_test_support.h"

using namespace device_rules;

namespace {

class DeviceRulesTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::test_support::ResetRegistry(); }

  void AddPrinter(const std::string& name, int32_t model) {
    ASSERT_TRUE(reg_.WriteNumber(DeviceKeyPath(DeviceClass::kPOSPrinter, name), schema::kModel, model));
  }
  void AddKey(DeviceClass c, const std::string& name) {
    ASSERT_TRUE(reg_.WriteString(DeviceKeyPath(c, name), schema::kDeviceName, name));
  }
  std::string ClassValue(DeviceClass c, const std::string& name) {
    std::string text = "<none>";
    reg_.ReadString(ClassKeyPath(c), name, &text);
    return text;
  }
  std::string DeviceLdn(DeviceClass c, const std::string& device) {
    std::string text = "<none>";
    reg_.ReadString(DeviceKeyPath(c, device), schema::kLDN, &text);
    return text;
  }

  CRegistryAccess reg_;
};

TEST(PortKindTest, FirstThreeCharactersCaseSensitive) {
  EXPECT_EQ(PortKindOf("COM1"), PortKind::kSerial);
  EXPECT_EQ(PortKindOf("COM12"), PortKind::kSerial);
  EXPECT_EQ(PortKindOf("LPT2"), PortKind::kParallel);
  EXPECT_EQ(PortKindOf("USB001:"), PortKind::kUsb);
  EXPECT_EQ(PortKindOf("Ethernet"), PortKind::kEthernet);
  EXPECT_EQ(PortKindOf("com1"), PortKind::kEthernet);
  EXPECT_EQ(PortKindOf("CO"), PortKind::kEthernet);
  EXPECT_EQ(PortKindOf(""), PortKind::kEthernet);
}

TEST_F(DeviceRulesTest, KeyPathsLieUnderTheClassKeys) {
  EXPECT_EQ(DeviceKeyPath(DeviceClass::kPOSPrinter, "P"), "Software\\OLEforRetail\\ServiceOPOS\\POSPrinter\\P");
  EXPECT_EQ(ClassKeyPath(DeviceClass::kLineDisplay), "Software\\OLEforRetail\\ServiceOPOS\\LineDisplay");
  EXPECT_EQ(ClassKeyPath(DeviceClass::kCashDrawer), "Software\\OLEforRetail\\ServiceOPOS\\CashDrawer");
}

TEST_F(DeviceRulesTest, DevicesAreNumberedByTheCountOfTheirModelCode) {
  EXPECT_EQ(NameNewDevice(reg_, DeviceClass::kPOSPrinter, "A", 3), "A");
  AddPrinter("A", 3);
  EXPECT_EQ(NameNewDevice(reg_, DeviceClass::kPOSPrinter, "A", 3), "A_1");
  AddPrinter("A_1", 3);
  EXPECT_EQ(NameNewDevice(reg_, DeviceClass::kPOSPrinter, "A", 3), "A_2");
  // Another model with the same code counts the same devices.
  EXPECT_EQ(NameNewDevice(reg_, DeviceClass::kPOSPrinter, "B", 3), "B_2");
  EXPECT_EQ(NameNewDevice(reg_, DeviceClass::kPOSPrinter, "C", 9), "C");
  // Line displays are counted in their own class.
  EXPECT_EQ(NameNewDevice(reg_, DeviceClass::kLineDisplay, "A", 3), "A");
}

TEST_F(DeviceRulesTest, KeysWithoutAModelNumberCountAsCodeZero) {
  AddKey(DeviceClass::kPOSPrinter, "Odd");
  ASSERT_TRUE(reg_.WriteString(DeviceKeyPath(DeviceClass::kPOSPrinter, "Text"), schema::kModel, "0"));
  EXPECT_EQ(CountDevicesOfModel(reg_, DeviceClass::kPOSPrinter, 0), 2);
  EXPECT_EQ(NameNewDevice(reg_, DeviceClass::kPOSPrinter, "Z", 0), "Z_2");
}

TEST_F(DeviceRulesTest, CountSeesKeysBeyondABracketName) {
  AddPrinter("[Old]", 3);
  AddPrinter("M", 3);
  EXPECT_EQ(CountDevicesOfModel(reg_, DeviceClass::kPOSPrinter, 3), 2);
}

TEST_F(DeviceRulesTest, ANameStillInUseIsNeverReused) {
  AddPrinter("M_1", 5);  // survived the removal of "M"
  EXPECT_EQ(NameNewDevice(reg_, DeviceClass::kPOSPrinter, "M", 5), "M_2");
  AddPrinter("N", 1);  // a key named after the model, with another code
  EXPECT_EQ(NameNewDevice(reg_, DeviceClass::kPOSPrinter, "N", 6), "N_1");
}

TEST_F(DeviceRulesTest, CashDrawersTakeTheFirstFreeName) {
  EXPECT_EQ(NameNewCashDrawer(reg_), "CashDrawer");
  AddKey(DeviceClass::kCashDrawer, "CashDrawer");
  EXPECT_EQ(NameNewCashDrawer(reg_), "CashDrawer_1");
  AddKey(DeviceClass::kCashDrawer, "CashDrawer_1");
  EXPECT_EQ(NameNewCashDrawer(reg_), "CashDrawer_2");
  ASSERT_TRUE(reg_.Delete(DeviceKeyPath(DeviceClass::kCashDrawer, "CashDrawer"), nullptr));
  EXPECT_EQ(NameNewCashDrawer(reg_), "CashDrawer");
}

TEST_F(DeviceRulesTest, RenamingAndClearingTheLdnMoveTheClassValue) {
  const auto P = DeviceClass::kPOSPrinter;
  AddKey(P, "Dev");
  ASSERT_TRUE(SaveLdn(reg_, P, "Dev", "", "A"));
  EXPECT_EQ(ClassValue(P, "A"), "Dev");
  EXPECT_EQ(DeviceLdn(P, "Dev"), "A");
  ASSERT_TRUE(SaveLdn(reg_, P, "Dev", "A", "B"));
  EXPECT_EQ(ClassValue(P, "B"), "Dev");
  EXPECT_EQ(ClassValue(P, "A"), "<none>");
  ASSERT_TRUE(SaveLdn(reg_, P, "Dev", "B", ""));
  EXPECT_EQ(ClassValue(P, "B"), "<none>");
  EXPECT_EQ(DeviceLdn(P, "Dev"), "");
}

TEST_F(DeviceRulesTest, AnLdnNamingAnotherDeviceIsRefused) {
  const auto P = DeviceClass::kPOSPrinter;
  AddKey(P, "First");
  AddKey(P, "Second");
  EXPECT_TRUE(LdnAllowed(reg_, P, "First", ""));
  EXPECT_TRUE(LdnAllowed(reg_, P, "First", "Till1"));
  EXPECT_FALSE(LdnAllowed(reg_, P, "First", "Second"));
  EXPECT_FALSE(LdnAllowed(reg_, P, "First", "second"));  // the registry ignores case
  EXPECT_FALSE(LdnAllowed(reg_, P, "First", "First"));   // not mapped here yet
  ASSERT_TRUE(reg_.WriteString(ClassKeyPath(P), "First", "First"));
  EXPECT_TRUE(LdnAllowed(reg_, P, "First", "First"));
  // Other classes do not interfere.
  EXPECT_TRUE(LdnAllowed(reg_, DeviceClass::kLineDisplay, "D", "Second"));
  EXPECT_EQ(LdnRefusal("Second"), "Device will not be set toSecond");
}

TEST_F(DeviceRulesTest, AnLdnHeldByAnotherDeviceIsNotTakenOver) {
  const auto P = DeviceClass::kPOSPrinter;
  AddKey(P, "First");
  AddKey(P, "Second");
  ASSERT_TRUE(SaveLdn(reg_, P, "First", "", "Till"));
  EXPECT_FALSE(LdnAllowed(reg_, P, "Second", "Till"));
  EXPECT_TRUE(LdnAllowed(reg_, P, "First", "Till"));
  // A mapping left behind by a device that is gone may be taken.
  ASSERT_TRUE(reg_.WriteString(ClassKeyPath(P), "Stale", "Vanished"));
  EXPECT_TRUE(LdnAllowed(reg_, P, "Second", "Stale"));
}

TEST_F(DeviceRulesTest, OldLdnOfAnotherDeviceIsLeftAlone) {
  const auto P = DeviceClass::kPOSPrinter;
  AddKey(P, "First");
  ASSERT_TRUE(reg_.WriteString(ClassKeyPath(P), "Shared", "Other"));
  ASSERT_TRUE(SaveLdn(reg_, P, "First", "Shared", "Mine"));
  EXPECT_EQ(ClassValue(P, "Shared"), "Other");
  EXPECT_EQ(ClassValue(P, "Mine"), "First");
}

TEST_F(DeviceRulesTest, RemovalTakesTheMappingAndTheWholeKey) {
  const auto D = DeviceClass::kCashDrawer;
  AddKey(D, "CashDrawer");
  ASSERT_TRUE(reg_.WriteString(DeviceKeyPath(D, "CashDrawer") + "\\Sub", "x", "y"));
  ASSERT_TRUE(SaveLdn(reg_, D, "CashDrawer", "", "Drawer1"));
  AddKey(D, "CashDrawer_1");
  ASSERT_TRUE(RemoveDevice(reg_, D, "CashDrawer"));
  EXPECT_EQ(ClassValue(D, "Drawer1"), "<none>");
  EXPECT_FALSE(reg_.KeyExists(DeviceKeyPath(D, "CashDrawer")));
  EXPECT_TRUE(reg_.KeyExists(DeviceKeyPath(D, "CashDrawer_1")));
  ASSERT_TRUE(RemoveDevice(reg_, D, "CashDrawer_1"));  // no LDN: only the key
  EXPECT_FALSE(RemoveDevice(reg_, D, "CashDrawer_1"));
  EXPECT_FALSE(RemoveDevice(reg_, D, ""));
  EXPECT_TRUE(reg_.KeyExists(ClassKeyPath(D)));
}

}  // namespace
