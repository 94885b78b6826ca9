// The main window's tree contents, selection levels and description pane.
#include "setup/main/device_tree.h"

#include <gtest/gtest.h>

#include "common/registry_access.h"
#include "common/registry_schema.h"
#include "platform/registry_test_support.h"
#include "tests/support/temp_folder.h"

using namespace devsetup;
using device_rules::DeviceKeyPath;

namespace {

class DeviceTreeTest : public ::testing::Test {
 protected:
  void SetUp() override { platform::test_support::ResetRegistry(); }
  void Put(DeviceClass c, const std::string& device, const std::string& value, const std::string& text) {
    ASSERT_TRUE(reg_.WriteString(DeviceKeyPath(c, device), value, text));
  }
  static std::vector<std::string> Names(const std::vector<TreeDevice>& devices, bool bold) {
    std::vector<std::string> names;
    for (const TreeDevice& d : devices) {
      if (d.bold == bold) names.push_back(d.name);
    }
    return names;
  }
  CRegistryAccess reg_;
};

TEST(OwnDeviceTest, PrefixesAreExactAndCaseSensitive) {
  EXPECT_TRUE(IsOwnDevice("TavoPOS-R200"));
  EXPECT_TRUE(IsOwnDevice("CashDrawer_1"));
  EXPECT_FALSE(IsOwnDevice("tavoPOS-R200"));
  EXPECT_FALSE(IsOwnDevice("CashDrawe"));
  EXPECT_FALSE(IsOwnDevice("OtherMaker"));
  EXPECT_FALSE(IsOwnDevice("QDX-200"));
  EXPECT_TRUE(IsOwnDeviceOf(DeviceClass::kLineDisplay, "QDX-200_1"));
  EXPECT_FALSE(IsOwnDeviceOf(DeviceClass::kPOSPrinter, "QDX-200"));
}

TEST_F(DeviceTreeTest, ClassesListTheirKeysWithOwnDevicesInBold) {
  Put(DeviceClass::kPOSPrinter, "TavoPOS-R200", schema::kPort, "COM1");
  Put(DeviceClass::kPOSPrinter, "AcmePrinter", schema::kPort, "COM2");
  Put(DeviceClass::kCashDrawer, "CashDrawer", schema::kPOSPrinter, "TavoPOS-R200");
  Put(DeviceClass::kLineDisplay, "QDX-200", schema::kPort, "COM5");
  ASSERT_TRUE(reg_.WriteString(schema::kPOSPrinterKey, "Till1", "TavoPOS-R200"));  // an LDN value, not a node

  const auto printers = ListDevices(reg_, DeviceClass::kPOSPrinter);
  EXPECT_EQ(Names(printers, true), std::vector<std::string>{"TavoPOS-R200"});
  EXPECT_EQ(Names(printers, false), std::vector<std::string>{"AcmePrinter"});
  EXPECT_EQ(Names(ListDevices(reg_, DeviceClass::kCashDrawer), true), std::vector<std::string>{"CashDrawer"});
  EXPECT_EQ(Names(ListDevices(reg_, DeviceClass::kLineDisplay), true), std::vector<std::string>{"QDX-200"});
}

TEST_F(DeviceTreeTest, AKeyBeginningWithABracketEndsTheList) {
  // Digits sort before "[" and "~" after it, in every registry's order.
  Put(DeviceClass::kLineDisplay, "1Early", schema::kPort, "COM1");
  Put(DeviceClass::kLineDisplay, "[Stop]", schema::kPort, "COM2");
  Put(DeviceClass::kLineDisplay, "~Late", schema::kPort, "COM3");
  EXPECT_EQ(Names(ListDevices(reg_, DeviceClass::kLineDisplay), false), std::vector<std::string>{"1Early"});
}

TEST_F(DeviceTreeTest, MissingClassKeyGivesAnEmptyNode) {
  EXPECT_TRUE(ListDevices(reg_, DeviceClass::kCashDrawer).empty());
}

TEST_F(DeviceTreeTest, SelectionLevelEnablesCommandsOnOwnDevicesOnly) {
  CDeviceTreeState state;
  const auto own = state.Select(reg_, {"TavoPOS-R200", 2, DeviceClass::kPOSPrinter});
  EXPECT_EQ(state.Level(), 2);
  EXPECT_TRUE(own.commands.modify && own.commands.checkHealth && own.commands.remove);
  const auto other = state.Select(reg_, {"AcmePrinter", 2, DeviceClass::kPOSPrinter});
  EXPECT_EQ(state.Level(), 0);
  EXPECT_FALSE(other.commands.modify || other.commands.checkHealth || other.commands.remove);
  EXPECT_TRUE(other.description.has_value()) << "another maker's device is still described";
  const auto classNode = state.Select(reg_, {"CashDrawer", 1, std::nullopt});
  EXPECT_EQ(state.Level(), 1);
  EXPECT_FALSE(classNode.commands.modify || classNode.commands.remove);
}

TEST_F(DeviceTreeTest, DescriptionChangesOnlyForAnotherDevice) {
  Put(DeviceClass::kPOSPrinter, "TavoPOS-R200", schema::kDeviceName, "TavoPOS-R200");
  Put(DeviceClass::kPOSPrinter, "TavoPOS-R200", schema::kPort, "Ethernet");
  Put(DeviceClass::kPOSPrinter, "TavoPOS-R200", schema::kLDN, "Till1");
  CDeviceTreeState state;
  const auto first = state.Select(reg_, {"TavoPOS-R200", 2, DeviceClass::kPOSPrinter});
  ASSERT_TRUE(first.description);
  EXPECT_EQ(*first.description,
            "- Printer Description - \r\n\r\n Printer Name : TavoPOS-R200\r\n LDN : Till1\r\n"
            " Using Port : Ethernet\r\n");
  EXPECT_FALSE(state.Select(reg_, {"Device", 0, std::nullopt}).description);
  EXPECT_FALSE(state.Select(reg_, {"POSPrinter", 1, std::nullopt}).description);
  EXPECT_FALSE(state.Select(reg_, {"TavoPOS-R200", 2, DeviceClass::kPOSPrinter}).description);
  EXPECT_EQ(state.ShownDevice(), "TavoPOS-R200");
}

TEST_F(DeviceTreeTest, DescriptionsOfDrawersAndDisplaysReadTheirOwnKeys) {
  Put(DeviceClass::kCashDrawer, "CashDrawer", schema::kDeviceName, "CashDrawer");
  Put(DeviceClass::kCashDrawer, "CashDrawer", schema::kPOSPrinter, "TavoPOS-R200");
  EXPECT_EQ(DescribeDevice(reg_, DeviceClass::kCashDrawer, "CashDrawer"),
            "- CashDrawer Description - \r\n\r\n Cashdrawer Name : CashDrawer\r\n LDN : [Not Used]\r\n"
            " Printer Name : TavoPOS-R200\r\n Description : Standard Cashdrawer");
  Put(DeviceClass::kLineDisplay, "QDX-200", schema::kPort, "COM2");
  EXPECT_EQ(DescribeDevice(reg_, DeviceClass::kLineDisplay, "QDX-200"),
            "- Display Description - \r\n\r\n Display Name : \r\n LDN : [Not Used]\r\n Using Port : COM2\r\n");
}

TEST(WindowCaptionTest, ComesFromSetupInfOrStaysEmpty) {
  tavo_test::TempFolder folder;
  EXPECT_EQ(WindowCaption(folder.Path()), "");
  folder.Write("setup.inf", "[description]\r\nVersionDescription=Tavo OPOS Device Setup 1.9\r\n");
  EXPECT_EQ(WindowCaption(folder.Path()), "Tavo OPOS Device Setup 1.9");
}

}  // namespace
