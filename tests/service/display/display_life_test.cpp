// The display's life cycle and its refusals: result codes of every
// precondition, bad entries, dead ports, power reporting, CheckHealth and
// DirectIO.
#include <gtest/gtest.h>

#include "tests/service/display/display_fixture.h"

namespace display_test {
namespace {

TEST_F(DisplayTest, EveryPreconditionHasItsResultCode) {
  CLineDisplay d;
  EXPECT_EQ(d.DisplayText(u"x", 0), 101);
  EXPECT_EQ(d.ClaimDevice(0), 101);
  EXPECT_EQ(d.ClearText(), 101);
  ASSERT_EQ(d.OpenService("LineDisplay", "QDX-200", &co), 0);
  EXPECT_EQ(d.DisplayText(u"x", 0), 103);
  EXPECT_EQ(d.CheckHealth(1), 103);
  d.SetPropertyNumber(3, 1);
  EXPECT_EQ(d.GetPropertyNumber(6), 103);
  EXPECT_EQ(d.ReleaseDevice(), 106);
  ASSERT_EQ(d.ClaimDevice(1000), 0);
  EXPECT_EQ(d.DisplayText(u"x", 0), 105);
  EXPECT_EQ(d.ClearText(), 105);
  EXPECT_EQ(d.ScrollText(1, 1), 105);
  EXPECT_EQ(d.CreateWindow(0, 0, 1, 20, 1, 20), 105);
  d.SetPropertyNumber(3, 1);
  // Out of range, unknown, unsupported.
  EXPECT_EQ(d.DisplayTextAt(2, 0, u"x", 0), 106);
  EXPECT_EQ(d.DisplayTextAt(0, 20, u"x", 0), 106);
  EXPECT_EQ(d.DisplayTextAt(-1, 0, u"x", 0), 106);
  for (int32_t index : {5004, 5005}) {
    d.SetPropertyNumber(index, 25);
    EXPECT_EQ(d.GetPropertyNumber(6), 106) << index;
  }
  EXPECT_EQ(d.ScrollText(5, 1), 106);
  EXPECT_EQ(d.ScrollText(1, 0), 106);
  EXPECT_EQ(d.RefreshWindow(1), 106);
  d.SetPropertyNumber(5003, 1);
  EXPECT_EQ(d.GetPropertyNumber(6), 106);
  EXPECT_EQ(d.CheckHealth(4), 106);
  EXPECT_EQ(d.DirectIO(7, nullptr, nullptr), 106);
  // No descriptors, glyphs, bitmaps, statistics or firmware: the methods
  // answer, the capabilities are false.
  EXPECT_EQ(d.GetPropertyNumber(5504), 0);
  EXPECT_EQ(d.SetDescriptor(0, 1), 106);
  EXPECT_EQ(d.ClearDescriptors(), 106);
  EXPECT_EQ(d.DefineGlyph(0x80, "x"), 106);
  int32_t c = 0;
  EXPECT_EQ(d.ReadCharacterAtCursor(&c), 106);
  EXPECT_EQ(d.DisplayBitmap("a.bmp", 0, 0, 0), 106);
  EXPECT_EQ(d.SetBitmap(1, "a.bmp", 0, 0, 0), 106);
  std::string stats;
  EXPECT_EQ(d.RetrieveStatistics(&stats), 106);
  EXPECT_EQ(d.UpdateFirmware("f"), 106);
  d.SetPropertyNumber(5501, 2);  // read-only
  EXPECT_EQ(d.GetPropertyNumber(6), 106);
  d.SetPropertyNumber(13, 1);  // PowerNotify only while disabled
  EXPECT_EQ(d.GetPropertyNumber(6), 106);
  EXPECT_EQ(d.ReleaseDevice(), 0);
  EXPECT_EQ(d.GetPropertyNumber(3), 0);
  EXPECT_EQ(d.Close(), 0);
  EXPECT_EQ(d.GetPropertyNumber(9), 1);
  // And it opens again.
  OpenEnable(d);
  EXPECT_EQ(d.DisplayText(u"again", 0), 0);
}

TEST_F(DisplayTest, BadEntriesFailTheOpen) {
  SeedDisplay("NoPort", "QDX-200", "");
  SeedDisplay("NoProfile", "QDX-200");
  SeedDisplayValue("NoProfile", "inf", DataFile("QDX-999.inf"));
  SeedDisplay("NoName", "QDX-200", "COM5");
  SeedDisplayValue("NoName", "DeviceName", "");
  for (const char* device : {"NoPort", "NoProfile", "NoName", "Missing"}) {
    CLineDisplay d;
    EXPECT_EQ(d.OpenService("LineDisplay", device, &co), 106) << device;
    EXPECT_EQ(fake().Count("CreatePort"), 0) << device;
  }
  CLineDisplay d;
  co.missing.insert("SOStatusUpdate");
  EXPECT_EQ(d.OpenService("LineDisplay", "QDX-200", &co), 104);
  co.missing.clear();
  EXPECT_EQ(d.OpenService("LineDisplay", "QDX-200", &co), 0);  // the port was given back
}

// A display on the printer's address but its own TCP port has a port of
// its own: its bytes don't go down the printer's connection.
TEST_F(DisplayTest, ADisplayOnThePrintersAddressKeepsItsOwnTcpPort) {
  SeedString("Printer1", "Port", "Ethernet");
  SeedString("Printer1", "TcpIp", "127.0.0.1");
  SeedDword("Printer1", "TcpPort", 9100);
  SeedDisplayValue("QDX-200", "Port", "Ethernet");
  SeedDisplayValue("QDX-200", "TcpIp", "127.0.0.1");
  platform::test_support::SeedDword(kDisplayKey + std::string("QDX-200"), "TcpPort", 9101);
  fake().SetHandlePerPortName(true);
  CPOSPrinter p;
  OpenClaimEnable(p);
  CLineDisplay d;
  ASSERT_EQ(d.OpenService("LineDisplay", "QDX-200", &co), 0);
  ASSERT_EQ(d.ClaimDevice(1000), 0);
  std::vector<std::string> created;
  std::vector<int32_t> configured;
  for (const FakePortCall& call : fake().Calls()) {
    if (call.name == "CreatePort") created.push_back(call.text);
    if (call.name == "SetDeviceOption") configured.push_back(call.handle);
  }
  EXPECT_EQ(created, (std::vector<std::string>{"Printer1|127.0.0.1:9100", "QDX-200|127.0.0.1:9101"}));
  ASSERT_EQ(configured.size(), 2u);  // each connection set up on its own
  EXPECT_NE(configured[0], configured[1]);
  EXPECT_EQ(d.Close(), 0);
  EXPECT_EQ(p.Close(), 0);
}

TEST_F(DisplayTest, ADeadPortFailsWithoutHanging) {
  CLineDisplay d;
  ASSERT_EQ(d.OpenService("LineDisplay", "QDX-200", &co), 0);
  fake().SetOpenPortResult(0);
  EXPECT_EQ(d.ClaimDevice(1000), 107);
  EXPECT_EQ(d.GetPropertyNumber(1), 0);
  fake().SetOpenPortResult(1);
  fake().SetWriteLimit(0);
  EXPECT_EQ(d.ClaimDevice(1000), 111);
  EXPECT_EQ(d.GetPropertyNumber(1), 0);
  fake().SetWriteLimit(-1);
  ASSERT_EQ(d.ClaimDevice(1000), 0);
  d.SetPropertyNumber(3, 1);
  ASSERT_EQ(d.GetPropertyNumber(3), 1);
  fake().SetWriteLimit(0);
  EXPECT_EQ(d.DisplayText(u"lost", 0), 111);
  EXPECT_EQ(d.CheckHealth(1), 111);
  EXPECT_EQ(d.GetPropertyString(1000001), "Internal HCheck: Failed");
  // Back on line: the screen is drawn whole again.
  fake().SetWriteLimit(-1);
  Mark();
  EXPECT_EQ(d.DisplayTextAt(0, 4, u"!", 0), 0);
  EXPECT_EQ(Since().substr(0, 25), At(0, 0) + "lost!" + std::string(15, ' ') + At(1, 0).substr(0, 1));
}

TEST_F(DisplayTest, PowerIsReportedOnceEnabledWithPowerNotify) {
  CLineDisplay d;
  ASSERT_EQ(d.OpenService("LineDisplay", "QDX-200", &co), 0);
  EXPECT_EQ(d.GetPropertyNumber(501), 1);  // OPOS_PR_STANDARD
  d.SetPropertyNumber(13, 1);
  ASSERT_EQ(d.GetPropertyNumber(6), 0);
  ASSERT_EQ(d.ClaimDevice(1000), 0);
  d.SetPropertyNumber(3, 1);
  ASSERT_TRUE(WaitUntil([&] { return d.GetPropertyNumber(14) == 2001; }));
  ASSERT_TRUE(WaitUntil([&] { return co.Events().size() == 1; }));
  fake().PushPower(2004);
  ASSERT_TRUE(WaitUntil([&] { return d.GetPropertyNumber(14) == 2004; }));
  ASSERT_TRUE(WaitUntil([&] { return co.Events().size() == 2; }));
  EXPECT_EQ(co.Events(), (std::vector<std::string>{"StatusUpdate 2001", "StatusUpdate 2004"}));
  // The monitor sends no printer command to a port only the display has.
  EXPECT_EQ(fake().Written().find(Bytes({0x1D, 0x61})), std::string::npos);
}

TEST_F(DisplayTest, CheckHealthShowsTheTestPatternAndPutsTheTextBack) {
  CLineDisplay d;
  OpenEnable(d);
  ASSERT_EQ(d.DisplayText(u"Keep me", 0), 0);
  Mark();
  EXPECT_EQ(d.CheckHealth(1), 0);
  EXPECT_EQ(d.GetPropertyString(1000001), "Internal HCheck: Successful");
  EXPECT_EQ(Since(), Bytes({0x1F, 0x58, 4}));
  Mark();
  EXPECT_EQ(d.CheckHealth(2), 0);
  EXPECT_EQ(d.GetPropertyString(1000001), "External HCheck: Successful");
  const std::string sent = Since();
  EXPECT_NE(sent.find("0123456789ABCDEFGHIJ"), std::string::npos);
  EXPECT_NE(sent.find("123456789ABCDEFGHIJK"), std::string::npos);
  EXPECT_EQ(d.ScreenRows(), (std::vector<std::string>{"Keep me             ", std::string(20, ' ')}));
  EXPECT_EQ(d.CheckHealth(3), 0);
  EXPECT_EQ(d.GetPropertyString(1000001), "Interactive HCheck: Successful");
}

TEST_F(DisplayTest, DirectIOSendsRawBytesAndTheNextDrawIsWhole) {
  CLineDisplay d;
  OpenEnable(d);
  ASSERT_EQ(d.DisplayText(u"ab", 0), 0);
  Mark();
  int32_t data = 0;
  std::string raw = Bytes({0x1F, 0x58, 1});
  EXPECT_EQ(d.DirectIO(1, &data, &raw), 0);
  EXPECT_EQ(data, 3);
  EXPECT_EQ(Since(), raw);
  Mark();
  ASSERT_EQ(d.DisplayText(u"c", 0), 0);
  EXPECT_EQ(Since().substr(0, 7), At(0, 0) + "abc");
}

}  // namespace
}  // namespace display_test
