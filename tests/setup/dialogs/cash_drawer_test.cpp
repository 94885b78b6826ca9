// The cash drawer dialog's rules: defaults, Apply/OK, naming and the LDN.
#include "setup/dialogs/cash_drawer.h"

#include <gtest/gtest.h>

#include "tests/setup/dialogs/dialog_fixture.h"

using namespace devsetup;
using namespace dialog_test;

namespace {

const DeviceClass kDrawer = DeviceClass::kCashDrawer;
using Texts = std::vector<std::string>;

class CashDrawerTest : public DialogTest {};

TEST_F(CashDrawerTest, ANewDrawerIsSavedWithTheDefaultsUnderTheNextFreeName) {
  ASSERT_TRUE(CCashDrawerRules::ForNewDrawer(reg_, "TavoPOS-R200").Ok(box_));
  CCashDrawerRules second = CCashDrawerRules::ForNewDrawer(reg_, "TavoPOS-R300");
  EXPECT_TRUE(second.Form().applyEnabled);
  second.Form().settings.pinNo = 0;
  second.Form().settings.openLevel = 1;
  ASSERT_TRUE(second.Apply(box_));
  EXPECT_EQ(second.Form().drawer, "CashDrawer_1");
  EXPECT_FALSE(second.IsNew());
  ASSERT_TRUE(CCashDrawerRules::ForNewDrawer(reg_, "TavoPOS-R200").Ok(box_));
  EXPECT_EQ(box_.shown, Texts(3, "CashDrawer Installed Success!"));

  const std::pair<const char*, const char*> first[] = {
      {"", "Tavo.CashDrawer.ServiceObject1.9"}, {"Description", "Drawer SO"}, {"DeviceName", "CashDrawer"},
      {"DeviceDesc", "Drawer"}, {"Version", "1.9.3"}, {"DeviceClass", "CashDrawer"}, {"LDN", ""},
      {"POSPrinter", "TavoPOS-R200"}, {"OpenLevel", "0"}, {"ConnectorPinNo", "1"}, {"PulseOnTime", "400"},
      {"PulseOffTime", "100"}, {"comp", "Corvane"}};
  for (const auto& v : first) EXPECT_EQ(Text(kDrawer, "CashDrawer", v.first), v.second) << v.first;
  EXPECT_EQ(Text(kDrawer, "CashDrawer_1", "ConnectorPinNo"), "0");
  EXPECT_EQ(Text(kDrawer, "CashDrawer_1", "OpenLevel"), "1");
  EXPECT_EQ(Text(kDrawer, "CashDrawer_1", "POSPrinter"), "TavoPOS-R300");
  EXPECT_TRUE(Exists(kDrawer, "CashDrawer_2"));
}

TEST_F(CashDrawerTest, AnExistingDrawerLoadsAndOkWithoutChangesWritesNothing) {
  ASSERT_TRUE(CCashDrawerRules::ForNewDrawer(reg_, "TavoPOS-R200").Ok(box_));
  Set(kDrawer, "CashDrawer", "PulseOnTime", "250");
  Set(kDrawer, "CashDrawer", "ConnectorPinNo", "7");
  ASSERT_TRUE(reg_.Delete(DeviceKeyPath(kDrawer, "CashDrawer"), "comp"));
  CCashDrawerRules rules = CCashDrawerRules::ForDrawer(reg_, "CashDrawer");
  EXPECT_FALSE(rules.Form().applyEnabled);
  EXPECT_EQ(rules.Form().printer, "TavoPOS-R200");
  EXPECT_EQ(rules.Form().settings.pulseOnTime, "250");
  EXPECT_EQ(rules.Form().settings.pinNo, 1);
  EXPECT_TRUE(rules.Ok(box_));
  EXPECT_EQ(Text(kDrawer, "CashDrawer", "comp"), "<none>");
  EXPECT_EQ(box_.shown.size(), 1u);
}

TEST_F(CashDrawerTest, TheLdnMovesWithTheDrawerAndIsNotTakenFromAnother) {
  CCashDrawerRules first = CCashDrawerRules::ForNewDrawer(reg_, "TavoPOS-R200");
  first.Form().settings.ldn = "Drawer1";
  ASSERT_TRUE(first.Apply(box_));
  first.Changed();
  first.Form().settings.ldn = "Till";
  ASSERT_TRUE(first.Apply(box_));
  EXPECT_EQ(ClassValue(kDrawer, "Till"), "CashDrawer");
  EXPECT_EQ(ClassValue(kDrawer, "Drawer1"), "<none>");

  // The second drawer's LDN is checked under the name it will get.
  CCashDrawerRules second = CCashDrawerRules::ForNewDrawer(reg_, "TavoPOS-R200");
  second.Form().settings.ldn = "Till";
  EXPECT_FALSE(second.Ok(box_));
  second.Form().settings.ldn = "CashDrawer";
  EXPECT_FALSE(second.Apply(box_));
  EXPECT_TRUE(second.Form().applyEnabled);
  EXPECT_FALSE(Exists(kDrawer, "CashDrawer_1"));
  EXPECT_EQ(box_.shown.back(), "Device will not be set toCashDrawer");
}

TEST_F(CashDrawerTest, WithoutItsSetupDataTheDrawerIsNotSaved) {
  folder_.Write(setup_data::kPosCashInf, "[CashDrawer]\r\nSOName=x\r\n");
  CCashDrawerRules rules = CCashDrawerRules::ForNewDrawer(reg_, "TavoPOS-R200");
  EXPECT_TRUE(rules.Ok(box_));
  EXPECT_EQ(box_.shown, Texts{"CashDrawer Installed Failure!"});
  EXPECT_FALSE(reg_.KeyExists(device_rules::ClassKeyPath(kDrawer)));
  EXPECT_TRUE(rules.IsNew());
}

TEST_F(CashDrawerTest, HealthCheckRunsOnTheSavedNameAndAlwaysCloses) {
  ControlLog control;
  control.openResult = 109;
  CCashDrawerRules rules = CCashDrawerRules::ForNewDrawer(reg_, "TavoPOS-R200");
  rules.CheckHealth(box_, control);
  EXPECT_EQ(control.calls, (Calls{"Open CashDrawer", "CheckHealth 3", "Disable", "Release", "Close"}));
  EXPECT_EQ(box_.shown, Texts{"OPOS CashDrawer Open Error ! "});
  control.calls.clear();
  control.openResult = 0;
  rules.CheckHealth(box_, control);
  EXPECT_EQ(control.calls,
            (Calls{"Open CashDrawer", "Claim 1000", "Enable", "CheckHealth 3", "Disable", "Release", "Close"}));
}

}  // namespace
