// The add-device wizard's first steps: the model list and "Next", and the
// connected printer of a new cash drawer.
#include <gtest/gtest.h>

#include "setup/dialogs/select_model.h"
#include "setup/dialogs/select_printer.h"
#include "tests/setup/dialogs/dialog_fixture.h"

using namespace devsetup;
using namespace dialog_test;

namespace {

class WizardTest : public DialogTest {
 protected:
  std::string Add(int model) {
    CSelectModelRules rules(reg_, DeviceClass::kPOSPrinter);
    EXPECT_TRUE(rules.Next(model, box_));
    return rules.NewDeviceName();
  }
};

TEST_F(WizardTest, NextNamesEachDeviceOfAModelCodeAfterTheOnesBefore) {
  CSelectModelRules rules(reg_, DeviceClass::kPOSPrinter);
  EXPECT_EQ(rules.Models(), (std::vector<std::string>{"TavoPOS-R200", "TavoPOS-R300"}));
  EXPECT_FALSE(rules.Next(-1, box_));
  EXPECT_FALSE(rules.Next(2, box_));
  EXPECT_EQ(box_.shown, (std::vector<std::string>{"Select Device Model!", "Select Device Model!"}));

  EXPECT_EQ(Add(0), "TavoPOS-R200");
  EXPECT_EQ(Add(0), "TavoPOS-R200_1");
  // The R300 shares the model code, so it counts the two before it.
  EXPECT_EQ(Add(1), "TavoPOS-R300_2");
  EXPECT_EQ(Text(DeviceClass::kPOSPrinter, "TavoPOS-R300_2", "DeviceName"), "TavoPOS-R300");
  EXPECT_EQ(Number(DeviceClass::kPOSPrinter, "TavoPOS-R300_2", "Porttype"), 1);
  EXPECT_EQ(Text(DeviceClass::kPOSPrinter, "TavoPOS-R300_2", "inf"), folder_.Path() + "\\TavoPOS-R300.inf");
}

TEST_F(WizardTest, ANameLeftByARemovalIsNeverWrittenOver) {
  Add(0);
  Add(0);
  Set(DeviceClass::kPOSPrinter, "TavoPOS-R200_1", "Port", "LPT2");
  ASSERT_TRUE(device_rules::RemoveDevice(reg_, DeviceClass::kPOSPrinter, "TavoPOS-R200"));
  EXPECT_EQ(Add(0), "TavoPOS-R200_2");
  EXPECT_EQ(Text(DeviceClass::kPOSPrinter, "TavoPOS-R200_1", "Port"), "LPT2");
}

TEST_F(WizardTest, AModelWithoutItsSectionIsRefusedAndNothingIsWritten) {
  folder_.Write(setup_data::kPosPrnInf, "[Other]\r\nDeviceDesc=x\r\n");
  CSelectModelRules rules(reg_, DeviceClass::kPOSPrinter);
  EXPECT_FALSE(rules.Next(0, box_));
  EXPECT_EQ(box_.shown, std::vector<std::string>{"Error : Inf file information!"});
  EXPECT_FALSE(reg_.KeyExists(device_rules::ClassKeyPath(DeviceClass::kPOSPrinter)));
  // Line displays read their own list, here missing.
  EXPECT_TRUE(CSelectModelRules(reg_, DeviceClass::kLineDisplay).Models().empty());
}

TEST_F(WizardTest, OnlyThePackagesOwnPrintersDriveADrawer) {
  EXPECT_FALSE(CSelectPrinterRules(reg_).Start(box_));
  EXPECT_EQ(box_.shown, std::vector<std::string>{"Not Installed Printer!!"});

  for (const char* name : {"TavoPOS-R300", "Other-P1", "TavoPOS-R200", "TavoPOS_Old"}) {
    Set(DeviceClass::kPOSPrinter, name, "Port", "COM1");
  }
  CSelectPrinterRules rules(reg_);
  EXPECT_TRUE(rules.Start(box_));
  EXPECT_EQ(rules.Printers(), (std::vector<std::string>{"TavoPOS-R200", "TavoPOS-R300", "TavoPOS_Old"}));
  EXPECT_EQ(rules.Select(1), "TavoPOS-R300");
  EXPECT_EQ(rules.Select(-1), "");
}

}  // namespace
