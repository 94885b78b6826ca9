// The check-health dialogs' rules over both Service Objects: what they
// show and what a press runs.
#include "service/common/health_dialog_rules.h"

#include <gtest/gtest.h>

#include "common/error_string.h"
#include "drawer_fixture.h"
#include "service/drawer/drawer_health.h"
#include "service/printer/printer_health.h"

using namespace drawer_test;

namespace {

TEST(HealthDialogRules, PowerStateNames) {
  EXPECT_STREQ(PowerStateName(2000), "Unknown");
  EXPECT_STREQ(PowerStateName(2001), "Online");
  for (int32_t s : {2002, 2003, 2004}) EXPECT_STREQ(PowerStateName(s), "Offline");
  EXPECT_STREQ(PowerStateName(-1), "Unknown");
}

TEST_F(DrawerTest, DrawerDialogShowsTheDrawerAndKicksOnEveryPress) {
  CCashDrawer d;
  OpenEnable(d);
  CDrawerHealthSubject subject(d);
  CHealthDialogRules rules(subject, CDrawerHealthSubject::kTexts);
  EXPECT_EQ(rules.Caption(), "Cash Drawer Check Health: CashDrawer");
  EXPECT_EQ(rules.Values(), "Tavo OPOS CashDrawer Service Object\n\n1.9.1\nDrawer on Printer1\nCashDrawer");
  EXPECT_EQ(rules.PowerLine(), "Power State: Unknown");
  EXPECT_EQ(rules.StatusBoxes(), std::vector<bool>{false});
  d.OnDrawerStatus(0x00);
  EXPECT_EQ(rules.StatusBoxes(), std::vector<bool>{true});

  std::vector<std::string> progress;
  const auto show = [&](const std::string& text) { progress.push_back(text); };
  EXPECT_EQ(rules.Press(show), "Success (0/0)");
  d.SetPropertyNumber(3, 0);
  EXPECT_EQ(rules.Press(show), MakeErrorString(105, 0));  // the second press shows its own result
  EXPECT_EQ(progress, (std::vector<std::string>{"Drawer open in progress...", "Drawer open in progress..."}));
}

TEST_F(DrawerTest, PrinterDialogShowsThePrinterAndPrintsTheTestReceipt) {
  SeedSerialPrinter("Printer1", "PX-AA", profilePath, "Ethernet", 1);
  SeedString("Printer1", "TcpIp", "127.0.0.1");
  CPOSPrinter p;
  OpenClaimEnable(p);
  CPrinterHealthSubject subject(p);
  CHealthDialogRules rules(subject, CPrinterHealthSubject::kTexts);
  EXPECT_EQ(rules.Caption(), "Printer Check Health : - Interactive -PX-AA");
  EXPECT_EQ(rules.Values(), "Tavo OPOS POSPrinter Service Object\n1.9.3\nPX-AA receipt printer\nPX-AA");
  EXPECT_EQ(rules.StatusBoxes(), (std::vector<bool>{false, false, false}));
  std::string shown;
  EXPECT_EQ(rules.Press([&](const std::string& text) { shown = text; }), "Success (0/0)");
  EXPECT_EQ(shown, "Test in progress...");
  EXPECT_NE(fake().Written().find("Version 1.9.3"), std::string::npos);
}

}  // namespace
