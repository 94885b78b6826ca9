// The generic property methods of an open printer: which indices answer,
// what the profile fills in, and the write rules that need a device.
#include <gtest/gtest.h>

#include "common/opos.h"
#include "printer_fixture.h"

using namespace opos;
using namespace printer_test;

namespace {

class PropertiesTest : public PrinterTest {};

TEST_F(PropertiesTest, ReadsNeverChangeResultCode) {
  CPOSPrinter p;
  p.SetPropertyNumber(8013, 9);  // refused: leaves 106
  ASSERT_EQ(p.GetPropertyNumber(6), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.GetPropertyNumber(2), 0);
  EXPECT_EQ(p.GetPropertyNumber(8561), 0);
  EXPECT_EQ(p.GetPropertyNumber(999999), 0);
  EXPECT_EQ(p.GetPropertyString(1008004), "");
  EXPECT_EQ(p.GetPropertyString(1008002), "");
  EXPECT_EQ(p.GetPropertyString(1008010), "");
  EXPECT_EQ(p.GetPropertyString(42), "");
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_ILLEGAL);
}

TEST_F(PropertiesTest, DefaultsBeforeOpen) {
  CPOSPrinter p;
  const struct {
    int32_t index, value;
  } defaults[] = {{9, 1},        {8, 1009003},  {14, 2000},  {8548, 998}, {8549, 1},
                  {8527, 1},     {8552, 15},    {8040, PTR_CART_OK}, {8041, 1}, {8035, 1},
                  {8013, 1},     {8036, 1},     {501, 0},    {1, 0},      {3, 0}};
  for (const auto& d : defaults) EXPECT_EQ(p.GetPropertyNumber(d.index), d.value) << d.index;
  EXPECT_EQ(p.GetPropertyString(1000003), "Not Select");
  EXPECT_EQ(p.GetPropertyString(1000002), "Not Select");
}

TEST_F(PropertiesTest, ProfileValuesAfterOpen) {
  CPOSPrinter p;
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  EXPECT_EQ(p.GetPropertyNumber(8552), 0);  // CapRecCartridgeSensor -1 reads as 0
  EXPECT_EQ(p.GetPropertyNumber(502), 1);   // CapStatisticsReporting
  EXPECT_EQ(p.GetPropertyNumber(8504), 1);
  EXPECT_EQ(p.GetPropertyNumber(8526), 1);
  EXPECT_EQ(p.GetPropertyNumber(8002), 437);
  EXPECT_EQ(p.GetPropertyNumber(8016), 42);
  EXPECT_EQ(p.GetPropertyNumber(8017), 24);
  EXPECT_EQ(p.GetPropertyNumber(8018), 30);
  EXPECT_EQ(p.GetPropertyNumber(8020), 512);
  EXPECT_EQ(p.GetPropertyNumber(8023), 20);
  EXPECT_EQ(p.GetPropertyNumber(8019), 5);
  EXPECT_EQ(p.GetPropertyNumber(8049), 2);
  EXPECT_EQ(p.GetPropertyString(1008001), "437,850,852,858");
  EXPECT_EQ(p.GetPropertyString(1008003), "42,56");
  EXPECT_EQ(p.GetPropertyString(1008011), "512,1662");
  EXPECT_EQ(p.GetPropertyString(1008012), "0,0,512,1662");
}

TEST_F(PropertiesTest, StringWritesOnlyAcceptThePrintArea) {
  CPOSPrinter p;
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  p.SetPropertyString(1000001, "x");
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.GetPropertyString(1000001), "Not Executed");
  p.SetPropertyString(1008012, "0,0,256,400");
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_SUCCESS);
  EXPECT_EQ(p.GetPropertyString(1008012), "0,0,256,400");
  p.SetPropertyString(1008012, "0,0,100");
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.GetPropertyString(1008012), "0,0,256,400");
}

TEST_F(PropertiesTest, PrinterWritesNeedClaimAndEnable) {
  CPOSPrinter p;
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  for (int32_t index : {8002, 8015, 8016, 8017, 8018, 8041}) {
    p.SetPropertyNumber(index, 1);
    EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_NOTCLAIMED) << index;
  }
  ASSERT_EQ(p.ClaimDevice(0), OPOS_SUCCESS);
  p.SetPropertyNumber(8016, 56);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_DISABLED);
  EXPECT_EQ(p.GetPropertyNumber(8016), 42);
}

TEST_F(PropertiesTest, LineCharsAndSpacingOnAnEnabledPrinter) {
  CPOSPrinter p;
  OpenClaimEnable(p);
  p.SetPropertyNumber(8016, 50);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_SUCCESS);
  EXPECT_EQ(p.GetPropertyNumber(8016), 56);
  p.SetPropertyNumber(8016, 60);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.GetPropertyNumber(8016), 56);
  p.SetPropertyNumber(8018, 100);
  EXPECT_EQ(p.GetPropertyNumber(8018), 50);
  p.SetPropertyNumber(8018, 5);
  EXPECT_EQ(p.GetPropertyNumber(8018), 12);
}

TEST_F(PropertiesTest, CharacterSetWrites) {
  CPOSPrinter p;
  OpenClaimEnable(p);
  p.SetPropertyNumber(8002, 858);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_SUCCESS);
  EXPECT_EQ(p.GetPropertyNumber(8002), 858);
  p.SetPropertyNumber(8002, 861);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.GetPropertyNumber(8002), 858);
}

TEST_F(PropertiesTest, MapModeTwipsUsesThisPrintersResolution) {
  CPOSPrinter p;
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  p.SetPropertyNumber(8013, 2);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_SUCCESS);
  EXPECT_EQ(p.GetPropertyNumber(8018), 240);  // 30 dots at 180 dpi
  p.SetPropertyNumber(8013, 1);
  EXPECT_EQ(p.GetPropertyNumber(8018), 30);
}

TEST_F(PropertiesTest, TwoPrintersKeepTheirOwnResolution) {
  const std::string lowRes = folder.Write("low.inf", ReceiptProfile(90, 90));
  SeedSerialPrinter("Printer2", "PX-BB", lowRes, "COM2");
  CPOSPrinter high, low;
  ASSERT_EQ(high.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  ASSERT_EQ(low.OpenService("POSPrinter", "Printer2", &co), OPOS_SUCCESS);
  high.SetPropertyNumber(8013, 2);
  low.SetPropertyNumber(8013, 2);
  EXPECT_EQ(high.GetPropertyNumber(8018), 240);  // 30 dots x 8 twips
  EXPECT_EQ(low.GetPropertyNumber(8018), 480);   // 30 dots x 16 twips
}

TEST_F(PropertiesTest, StoredAndRangedNumbers) {
  CPOSPrinter p;
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  p.SetPropertyNumber(11, 2);
  EXPECT_EQ(p.GetPropertyNumber(11), 2);
  p.SetPropertyNumber(11, 3);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.GetPropertyNumber(11), 2);
  p.SetPropertyNumber(8001, 1);
  EXPECT_EQ(p.GetPropertyNumber(8001), 1);
  p.SetPropertyNumber(8036, 7);
  EXPECT_EQ(p.GetPropertyNumber(8036), 7);
  p.SetPropertyNumber(8013, 0);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.GetPropertyNumber(8013), 1);
  // An index nobody answers leaves ResultCode as it was.
  p.SetPropertyNumber(8003, 1);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.GetPropertyNumber(8003), 0);
}

TEST_F(PropertiesTest, PowerNotifyOnlyWhileDisabled) {
  CPOSPrinter p;
  p.SetPropertyNumber(13, 1);  // CapPowerReporting is 0 before the open
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_ILLEGAL);
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  p.SetPropertyNumber(13, 2);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_ILLEGAL);
  p.SetPropertyNumber(13, 1);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_SUCCESS);
  EXPECT_EQ(p.GetPropertyNumber(13), 1);
  EXPECT_EQ(p.GetPropertyNumber(4), 1);  // events held until the enable
  ASSERT_EQ(p.ClaimDevice(0), OPOS_SUCCESS);
  p.SetPropertyNumber(3, 1);
  EXPECT_EQ(p.GetPropertyNumber(4), 0);
  p.SetPropertyNumber(13, 0);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.GetPropertyNumber(13), 1);
}

TEST_F(PropertiesTest, CartridgeNotifyRules) {
  CPOSPrinter p;
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  p.SetPropertyNumber(8037, 1);  // no cartridge sensor: nothing changes
  EXPECT_EQ(p.GetPropertyNumber(8037), 0);
  p.SetPropertyNumber(8037, 0);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_SUCCESS);
  ASSERT_EQ(p.ClaimDevice(0), OPOS_SUCCESS);
  p.SetPropertyNumber(3, 1);
  p.SetPropertyNumber(8037, 0);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_ILLEGAL);
  p.Close();

  std::string profile = ReceiptProfile();
  profile.replace(profile.find("CapRecCartridgeSensor=-1"), 24, "CapRecCartridgeSensor=3");
  SeedString("Printer1", "inf", folder.Write("ink.inf", profile));
  CPOSPrinter q;
  ASSERT_EQ(q.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  q.SetPropertyNumber(8037, 1);
  EXPECT_EQ(q.GetPropertyNumber(6), OPOS_SUCCESS);
  EXPECT_EQ(q.GetPropertyNumber(8037), 1);
  q.SetPropertyNumber(8037, 2);  // neither 0 nor 1: ignored
  EXPECT_EQ(q.GetPropertyNumber(8037), 1);
}

TEST_F(PropertiesTest, CurrentCartridgeMustBeAColourOfThePrinter) {
  SeedDword("Printer1", "type", 3);
  CPOSPrinter p;
  OpenClaimEnable(p);
  const size_t writes = PrinterWrites().size();
  p.SetPropertyNumber(8041, 2);  // CapRecColor is 1
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.GetPropertyNumber(8041), 1);
  EXPECT_EQ(PrinterWrites().size(), writes);
  p.SetPropertyNumber(8041, 1);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_SUCCESS);
  EXPECT_EQ(PrinterWrites().back(), Bytes({0x1D, 0x6A, 0x0F}));
}

TEST_F(PropertiesTest, FreezeEventsOpensAndClosesTheGate) {
  CPOSPrinter p;
  p.SetPropertyNumber(4, 1);
  EXPECT_EQ(p.GetPropertyNumber(4), 1);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_SUCCESS);
  p.SetPropertyNumber(4, 0);
  EXPECT_EQ(p.GetPropertyNumber(4), 0);
}

}  // namespace
