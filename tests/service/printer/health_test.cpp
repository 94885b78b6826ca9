// DirectIO commands and the three CheckHealth levels.
#include <gtest/gtest.h>

#include "common/opos.h"
#include "printer_fixture.h"

using namespace printer_test;
using namespace opos;

namespace {

class HealthTest : public PrinterTest {
 protected:
  void SetUp() override {
    PrinterTest::SetUp();
    // A network port: synchronous prints finish without a status reply.
    SeedSerialPrinter("Printer1", "PX-AA", profilePath, "Ethernet", 1);
    SeedString("Printer1", "TcpIp", "127.0.0.1");
    SeedDword("Printer1", "TcpPort", 9100);
  }
  static bool Wrote(const std::string& bytes) { return fake().Written().find(bytes) != std::string::npos; }
  int32_t Direct(CPOSPrinter& p, int32_t command, std::string text, int32_t data = 0) {
    return p.DirectIO(command, &data, &text);
  }
};

TEST_F(HealthTest, DirectIOCommandsSendTheirBytesOrRefuse) {
  CPOSPrinter p;
  OpenClaimEnable(p);
  SettleMonitor();
  const size_t before = fake().Written().size();
  EXPECT_EQ(Direct(p, 2, ""), OPOS_E_ILLEGAL);
  EXPECT_EQ(Direct(p, 3, "A"), OPOS_E_ILLEGAL);
  EXPECT_EQ(Direct(p, 4, ""), OPOS_E_ILLEGAL);
  EXPECT_EQ(Direct(p, 9, "x"), OPOS_E_ILLEGAL);
  EXPECT_EQ(fake().Written().size(), before);  // refusals send nothing

  EXPECT_EQ(Direct(p, 2, "1"), OPOS_SUCCESS);
  EXPECT_TRUE(Wrote(Bytes({0x1C, 0x70, 0x31, 0x00})));
  EXPECT_EQ(Direct(p, 3, "AB"), OPOS_SUCCESS);
  EXPECT_TRUE(Wrote(Bytes({0x1D, 0x28, 0x4C, 0x06, 0x00, 0x30, 0x45, 0x41, 0x42, 0x01, 0x01})));
  EXPECT_EQ(Direct(p, 4, "xyz"), OPOS_SUCCESS);
  EXPECT_TRUE(Wrote(Bytes({0x1B, 0x67, 0x78})));
  EXPECT_EQ(Direct(p, 0, std::string("raw\0bytes", 9)), OPOS_SUCCESS);
  EXPECT_TRUE(Wrote(std::string("raw\0bytes", 9)));
  std::string text = "kept";
  int32_t data = 77;
  EXPECT_EQ(p.DirectIO(2, &data, &text), OPOS_SUCCESS);
  EXPECT_EQ(text, "kept");
  EXPECT_EQ(data, 77);
}

TEST_F(HealthTest, InternationalSetGoesAheadOfTheNextPrintWhenTheProfileAsks) {
  CPOSPrinter p;
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  EXPECT_EQ(Direct(p, 1, "", 3), OPOS_SUCCESS);  // open but neither claimed nor enabled
  ASSERT_EQ(p.ClaimDevice(0), OPOS_SUCCESS);
  p.SetPropertyNumber(3, 1);
  ASSERT_EQ(p.PrintNormal(PTR_S_RECEIPT, "after\n"), OPOS_SUCCESS);
  EXPECT_TRUE(Wrote(Bytes({0x1B, 0x52, 0x03})));
  p.Close();

  const std::string off = folder.Write("PX-BB.inf", [] {
    std::string profile = ReceiptProfile();
    profile.replace(profile.find("DIINTERNATIONAL=1"), 17, "DIINTERNATIONAL=0");
    return profile;
  }());
  SeedString("Printer1", "inf", off);
  fake().Reset();
  CPOSPrinter q;
  OpenClaimEnable(q);
  EXPECT_EQ(Direct(q, 1, "", 3), OPOS_SUCCESS);
  ASSERT_EQ(q.PrintNormal(PTR_S_RECEIPT, "after\n"), OPOS_SUCCESS);
  EXPECT_FALSE(Wrote(Bytes({0x1B, 0x52, 0x03})));
}

TEST_F(HealthTest, CheckHealthStatesAndLevels) {
  CPOSPrinter p;
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  EXPECT_EQ(p.CheckHealth(1), OPOS_E_NOTCLAIMED);
  ASSERT_EQ(p.ClaimDevice(0), OPOS_SUCCESS);
  EXPECT_EQ(p.CheckHealth(1), OPOS_E_DISABLED);
  EXPECT_EQ(p.GetPropertyString(1000001), "Not Executed");
  p.SetPropertyNumber(3, 1);
  EXPECT_EQ(p.CheckHealth(4), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.CheckHealth(1), OPOS_SUCCESS);
  EXPECT_EQ(p.GetPropertyString(1000001), "CheckHealth: Successful");

  // A printer that does not take the handshake: still 0, reported in text.
  fake().SetWriteLimit(1);
  EXPECT_EQ(p.CheckHealth(1), OPOS_SUCCESS);
  EXPECT_EQ(p.GetPropertyString(1000001), "CheckHealth: Failed");
  fake().SetWriteLimit(-1);

  // Interactive: no press falls back to the internal check; a press that
  // prints leaves the print's result.
  p.SetHealthDialog([](CPOSPrinter&) {});
  EXPECT_EQ(p.CheckHealth(3), OPOS_SUCCESS);
  EXPECT_EQ(p.GetPropertyString(1000001), "CheckHealth: Successful");
  p.SetHealthDialog([](CPOSPrinter& printer) { printer.ExternalCheck(); });
  EXPECT_EQ(p.CheckHealth(3), OPOS_SUCCESS);
  EXPECT_TRUE(Wrote("Version 1.9.3"));
}

TEST_F(HealthTest, ExternalCheckPrintsTheTestReceipt) {
  CPOSPrinter p;
  OpenClaimEnable(p);
  EXPECT_EQ(p.CheckHealth(2), OPOS_SUCCESS);
  EXPECT_EQ(p.GetPropertyString(1000001), "CheckHealth: Successful");
  const std::string written = fake().Written();
  const std::string row(42, '-');
  const size_t first = written.find(row + "\n");
  ASSERT_NE(first, std::string::npos);
  EXPECT_NE(written.find(row + "\n", first + 43), std::string::npos);
  EXPECT_NE(written.find("PX-AA receipt printer"), std::string::npos);
  EXPECT_NE(written.find("Version 1.9.3\n"), std::string::npos);
  EXPECT_EQ(written.find("\x1B|"), std::string::npos);  // every sequence translated

  fake().SetWriteLimit(0);
  EXPECT_NE(p.CheckHealth(2), OPOS_SUCCESS);
  EXPECT_EQ(p.GetPropertyString(1000001).rfind("CheckHealth: ", 0), 0u);
  EXPECT_NE(p.GetPropertyString(1000001), "CheckHealth: Successful");
}

}  // namespace
