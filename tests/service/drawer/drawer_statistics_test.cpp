// The drawer's statistics: good and failed opens, write failures, and the
// file the counts live in.
#include <gtest/gtest.h>

#include "common/opos.h"
#include "drawer_fixture.h"
#include "platform/registry_test_support.h"
#include "tests/support/statistics_value.h"

using namespace drawer_test;
using namespace opos;

namespace {

class DrawerStatisticsTest : public DrawerTest {
 protected:
  void SetUp() override {
    DrawerTest::SetUp();
    platform::test_support::SeedString("Software\\OLEforRetail\\ServiceInfo\\Tavo OPOS", "StatisticsFolder",
                                       folder.File("Statistics"));
  }
  static std::string Retrieve(CCashDrawer& d, const std::string& names = "") {
    std::string text = names;
    const int32_t rc = d.RetrieveStatistics(&text);
    return rc == OPOS_SUCCESS ? text : "rc " + std::to_string(rc) + "/" + std::to_string(d.GetPropertyNumber(7));
  }
};

TEST_F(DrawerStatisticsTest, KicksCountAsGoodWhenTheDrawerIsSeenOpen) {
  CCashDrawer d;
  ASSERT_EQ(d.OpenService("CashDrawer", "Drawer1", &co), OPOS_SUCCESS);
  EXPECT_EQ(d.GetPropertyNumber(502), 1);
  EXPECT_EQ(d.GetPropertyNumber(503), 1);
  EXPECT_EQ(Retrieve(d), "rc 103/0");
  ASSERT_EQ(d.ClaimDevice(0), OPOS_SUCCESS);
  EXPECT_EQ(d.ResetStatistics(""), OPOS_E_DISABLED);
  d.SetPropertyNumber(3, 1);
  d.OnDrawerStatus(0x04);  // closed (open while low)
  ASSERT_EQ(d.OpenDrawer(), OPOS_SUCCESS);
  d.OnDrawerStatus(0x00);  // open
  d.OnDrawerStatus(0x00);  // still open: one kick, one good open
  d.OnDrawerStatus(0x04);
  ASSERT_EQ(d.OpenDrawer(), OPOS_SUCCESS);  // never seen open ...
  ASSERT_EQ(d.OpenDrawer(), OPOS_SUCCESS);  // ... until after the next kick
  d.OnDrawerStatus(0x00);
  fake().SetWriteLimit(2);
  ASSERT_EQ(d.OpenDrawer(), OPOS_SUCCESS);  // short: failed, and a communication error
  fake().SetWriteLimit(-1);
  const std::string doc = Retrieve(d);
  EXPECT_EQ(tavo_test::StatisticValue(doc, "DrawerGoodOpenCount"), "2") << doc;
  EXPECT_EQ(tavo_test::StatisticValue(doc, "DrawerFailedOpenCount"), "2");
  EXPECT_EQ(tavo_test::StatisticValue(doc, "CommunicationErrorCount"), "1");
  EXPECT_EQ(tavo_test::StatisticValue(doc, "HoursPoweredCount"), "");
  EXPECT_NE(doc.find("<DeviceCategory UPOS=\"CashDrawer\"/>"), std::string::npos);
  EXPECT_NE(doc.find("<ModelName>CashDrawer</ModelName>"), std::string::npos);
  EXPECT_NE(doc.find("<Interface>RS232</Interface>"), std::string::npos);
  EXPECT_EQ(tavo_test::StatisticValue(Retrieve(d, "M_"), "DrawerGoodOpenCount"), "absent");
}

TEST_F(DrawerStatisticsTest, ResetUpdateAndTheNextApplication) {
  {
    CCashDrawer d;
    OpenEnable(d);
    EXPECT_EQ(d.UpdateStatistics("DrawerGoodOpenCount=41,DrawerFailedOpenCount=3"), OPOS_SUCCESS);
    EXPECT_EQ(d.UpdateStatistics("HoursPoweredCount=1"), OPOS_E_EXTENDED);  // not recorded
    EXPECT_EQ(d.GetPropertyNumber(7), OPOS_ESTATS_ERROR);
    EXPECT_EQ(Retrieve(d, "DrawerOpenCount"), "rc 114/280");
    EXPECT_EQ(d.ResetStatistics("DrawerFailedOpenCount"), OPOS_SUCCESS);
    EXPECT_EQ(d.GetPropertyNumber(7), 0);
    d.Close();
  }
  CCashDrawer next;
  OpenEnable(next);
  const std::string doc = Retrieve(next);
  EXPECT_EQ(tavo_test::StatisticValue(doc, "DrawerGoodOpenCount"), "41");
  EXPECT_EQ(tavo_test::StatisticValue(doc, "DrawerFailedOpenCount"), "0");
  EXPECT_EQ(next.ResetStatistics("U_"), OPOS_SUCCESS);
  EXPECT_EQ(tavo_test::StatisticValue(Retrieve(next), "DrawerGoodOpenCount"), "0");
}

}  // namespace
