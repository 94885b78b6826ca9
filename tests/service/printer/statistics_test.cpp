// Statistics through the printer object: the printer's maintenance
// counters asked over the port, the counts kept here as jobs print, and
// the file that keeps them for the next application.
#include <gtest/gtest.h>

#include <map>

#include "common/opos.h"
#include "platform/registry_test_support.h"
#include "printer_fixture.h"
#include "tests/support/statistics_value.h"

using namespace printer_test;
using namespace opos;

namespace {

const std::string kInfoKey = "Software\\OLEforRetail\\ServiceInfo\\Tavo OPOS";

// The printer's side: maintenance counters 20 (lines fed) and 50 (cuts),
// GS g 2 and GS g 0, and the GS I identity texts.
struct CounterPrinter {
  std::map<int, int64_t> counters{{20, 100}, {50, 7}, {70, 2}};
  bool answers = true;

  std::string Answer(const std::string& w) {
    for (size_t at = w.find("\x1D\x56"); at != std::string::npos; at = w.find("\x1D\x56", at + 1)) ++counters[50];
    for (char c : w) counters[20] += c == '\n' ? 1 : 0;
    if (!answers || w.size() < 3 || w[0] != '\x1D') return "";
    if (w[1] == 'I') {
      static const std::map<char, std::string> kTexts{{65, "2.01"}, {66, "TAVO"}, {67, "TavoPOS-R300"}, {68, "SN42"}};
      const auto it = kTexts.find(w[2]);
      return it == kTexts.end() ? "" : "_" + it->second + std::string(1, '\0');
    }
    if (w[1] != 'g' || w.size() != 6) return "";
    const int n = static_cast<uint8_t>(w[4]) | (static_cast<uint8_t>(w[5]) << 8);
    if (w[2] == '0') counters[n] = 0;
    if (w[2] != '2' || counters.count(n) == 0) return "";
    return "_" + std::to_string(counters[n]) + std::string(1, '\0');
  }
};

class StatisticsTest : public PrinterTest {
 protected:
  void SetUp() override {
    PrinterTest::SetUp();
    // A network port of command class 2: synchronous jobs need no reply.
    SeedNetworkPrinter("Printer1", profilePath);
    platform::test_support::SeedString(kInfoKey, "StatisticsFolder", folder.File("Statistics"));
    fake().SetResponder([this](const std::string& w) { return printer.Answer(w); });
  }

  std::string Retrieve(CPOSPrinter& p, const std::string& names = "") {
    std::string text = names;
    const int32_t rc = p.RetrieveStatistics(&text);
    return rc == OPOS_SUCCESS ? text : "rc " + std::to_string(rc) + "/" + std::to_string(p.GetPropertyNumber(7));
  }

  CounterPrinter printer;
};

TEST_F(StatisticsTest, CapabilitiesAndTheStateTheMethodsNeed) {
  CPOSPrinter p;
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  EXPECT_EQ(p.GetPropertyNumber(502), 1);  // CapStatisticsReporting
  EXPECT_EQ(p.GetPropertyNumber(503), 1);  // CapUpdateStatistics
  EXPECT_EQ(Retrieve(p), "rc 103/0");
  EXPECT_EQ(p.ResetStatistics(""), OPOS_E_NOTCLAIMED);
  ASSERT_EQ(p.ClaimDevice(0), OPOS_SUCCESS);
  EXPECT_EQ(p.UpdateStatistics("BarcodePrintedCount=1"), OPOS_E_DISABLED);
  p.SetPropertyNumber(3, 1);
  const std::string doc = Retrieve(p);
  EXPECT_NE(doc.find("<DeviceCategory UPOS=\"POSPrinter\"/>"), std::string::npos) << doc;
  EXPECT_NE(doc.find("<ManufacturerName>TAVO</ManufacturerName>"), std::string::npos);
  EXPECT_NE(doc.find("<ModelName>TavoPOS-R300</ModelName>"), std::string::npos);
  EXPECT_NE(doc.find("<SerialNumber>SN42</SerialNumber>"), std::string::npos);
  EXPECT_NE(doc.find("<FirmwareRevision>2.01</FirmwareRevision>"), std::string::npos);
  EXPECT_NE(doc.find("<Interface>Ethernet</Interface>"), std::string::npos);
  EXPECT_NE(doc.find("<UnifiedPOSVersion>1.9</UnifiedPOSVersion>"), std::string::npos);
  EXPECT_EQ(tavo_test::StatisticValue(doc, "PaperCutCount"), "7");
  EXPECT_EQ(tavo_test::StatisticValue(doc, "ReceiptLineFeedCount"), "100");
  EXPECT_EQ(tavo_test::StatisticValue(doc, "HoursPoweredCount"), "2");
  EXPECT_EQ(tavo_test::StatisticValue(doc, "SlipLinePrintedCount"), "");  // no slip station
  EXPECT_EQ(tavo_test::StatisticValue(doc, "HeadEnergizedLineCount"), "");  // the printer has no counter 21
  // An unknown name is an error, never an empty success.
  EXPECT_EQ(Retrieve(p, "PaperCutCount,PaperCuts"), "rc 114/280");
  EXPECT_EQ(p.ResetStatistics("PaperCuts"), OPOS_E_EXTENDED);
  EXPECT_EQ(p.GetPropertyNumber(7), OPOS_ESTATS_ERROR);
  EXPECT_EQ(p.UpdateStatistics("PaperCuts=1"), OPOS_E_EXTENDED);
}

TEST_F(StatisticsTest, CountsMoveByExactlyWhatPrinted) {
  CPOSPrinter p;
  OpenClaimEnable(p);
  SettleMonitor();
  const std::string before = Retrieve(p);
  ASSERT_EQ(p.PrintNormal(PTR_S_RECEIPT, "\x1B|bCTotal\n\x1B|cA12.50\n"), OPOS_SUCCESS);
  ASSERT_EQ(p.PrintBarCode(PTR_S_RECEIPT, "0123456789", PTR_BCS_Code128, 80, 300, PTR_BC_CENTER, 0), OPOS_SUCCESS);
  ASSERT_EQ(p.PrintBarCode(PTR_S_RECEIPT, "x", PTR_BCS_MAXICODE, 0, 0, 0, 0), OPOS_E_ILLEGAL);  // not printed
  ASSERT_EQ(p.CutPaper(100), OPOS_SUCCESS);
  const std::string after = Retrieve(p);
  EXPECT_EQ(tavo_test::StatisticValue(before, "ReceiptLinePrintedCount"), "0");
  EXPECT_EQ(tavo_test::StatisticValue(after, "ReceiptLinePrintedCount"), "2");
  EXPECT_EQ(tavo_test::StatisticValue(after, "ReceiptCharacterPrintedCount"), "10");  // "Total" and "12.50"
  EXPECT_EQ(tavo_test::StatisticValue(after, "BarcodePrintedCount"), "1");
  EXPECT_EQ(std::stoll(tavo_test::StatisticValue(after, "PaperCutCount")), std::stoll(tavo_test::StatisticValue(before, "PaperCutCount")) + 1);
  // Binary conversion counts the text it decodes to.
  p.SetPropertyNumber(11, OPOS_BC_NIBBLE);
  ASSERT_EQ(p.PrintNormal(PTR_S_RECEIPT, "4:0:"), OPOS_SUCCESS);  // "J\n"
  EXPECT_EQ(tavo_test::StatisticValue(Retrieve(p, "ReceiptLinePrintedCount,ReceiptCharacterPrintedCount"), "ReceiptLinePrintedCount"),
            "3");
}

TEST_F(StatisticsTest, APageCountsItsLinesEachTimeItPrints) {
  std::string profile = ReceiptProfile();
  profile.insert(profile.find("[POSPRINTER]\r\n") + 14, "CapRecPageMode=1\r\n");
  SeedNetworkPrinter("Printer1", folder.Write("page.inf", profile));
  CPOSPrinter p;
  OpenClaimEnable(p);
  SettleMonitor();
  // Counts kept here: no maintenance counter is asked for.
  const auto count = [&](const char* name) { return tavo_test::StatisticValue(Retrieve(p, name), name); };
  ASSERT_EQ(p.pageModePrint(PTR_PM_PAGE_MODE), OPOS_SUCCESS);
  ASSERT_EQ(p.PrintNormal(PTR_S_RECEIPT, "\x1B|bCTotal\n12.50\n"), OPOS_SUCCESS);
  ASSERT_EQ(p.PrintBarCode(PTR_S_RECEIPT, "0123456789", PTR_BCS_Code128, 80, 300, PTR_BC_CENTER, 0), OPOS_SUCCESS);
  // Collected, not printed yet.
  EXPECT_EQ(count("ReceiptLinePrintedCount"), "0");
  EXPECT_EQ(count("BarcodePrintedCount"), "0");
  ASSERT_EQ(p.pageModePrint(PTR_PM_PRINT_SAVE), OPOS_SUCCESS);
  EXPECT_EQ(count("ReceiptLinePrintedCount"), "2");
  EXPECT_EQ(count("ReceiptCharacterPrintedCount"), "10");
  EXPECT_EQ(count("BarcodePrintedCount"), "1");
  // The kept page prints again; then a cancelled one never counts.
  ASSERT_EQ(p.pageModePrint(PTR_PM_NORMAL), OPOS_SUCCESS);
  EXPECT_EQ(count("ReceiptLinePrintedCount"), "4");
  ASSERT_EQ(p.pageModePrint(PTR_PM_PAGE_MODE), OPOS_SUCCESS);
  ASSERT_EQ(p.PrintNormal(PTR_S_RECEIPT, "gone\n"), OPOS_SUCCESS);
  ASSERT_EQ(p.pageModePrint(PTR_PM_CANCEL), OPOS_SUCCESS);
  ASSERT_EQ(p.pageModePrint(PTR_PM_PAGE_MODE), OPOS_SUCCESS);
  ASSERT_EQ(p.PrintNormal(PTR_S_RECEIPT, "one\n"), OPOS_SUCCESS);
  ASSERT_EQ(p.pageModePrint(PTR_PM_NORMAL), OPOS_SUCCESS);
  EXPECT_EQ(count("ReceiptLinePrintedCount"), "5");
  EXPECT_EQ(count("ReceiptCharacterPrintedCount"), "23");
}

TEST_F(StatisticsTest, ResetAndUpdateReachThePrinterAndTheFile) {
  {
    CPOSPrinter p;
    OpenClaimEnable(p);
    ASSERT_EQ(p.PrintBarCode(PTR_S_RECEIPT, "ABC", PTR_BCS_Code128, 80, 300, 0, 0), OPOS_SUCCESS);
    const size_t written = fake().Written().size();
    EXPECT_EQ(p.ResetStatistics("PaperCutCount"), OPOS_SUCCESS);
    EXPECT_NE(fake().Written().find(Bytes({0x1D, 0x67, 0x30, 0x00, 50, 0x00}), written), std::string::npos);
    EXPECT_EQ(tavo_test::StatisticValue(Retrieve(p), "PaperCutCount"), "0");
    // The printer's counters only start again from 0; the kept ones take any value.
    EXPECT_EQ(p.UpdateStatistics("PaperCutCount=5"), OPOS_E_EXTENDED);
    EXPECT_EQ(p.UpdateStatistics("BarcodePrintedCount=40, ReceiptLineFeedCount=0"), OPOS_SUCCESS);
    EXPECT_EQ(printer.counters[20], 0);
    EXPECT_EQ(p.ResetStatistics("StampFiredCount"), OPOS_E_EXTENDED);  // not kept
    EXPECT_EQ(p.Close(), OPOS_SUCCESS);
  }
  // The next application sees what this one counted.
  CPOSPrinter next;
  OpenClaimEnable(next);
  EXPECT_EQ(tavo_test::StatisticValue(Retrieve(next), "BarcodePrintedCount"), "40");
  EXPECT_EQ(next.ResetStatistics("U_"), OPOS_SUCCESS);
  const std::string doc = Retrieve(next);
  EXPECT_EQ(tavo_test::StatisticValue(doc, "BarcodePrintedCount"), "0");
  EXPECT_EQ(tavo_test::StatisticValue(doc, "HoursPoweredCount"), "0");
  EXPECT_EQ(tavo_test::StatisticValue(doc, "SlipLinePrintedCount"), "");
}

TEST_F(StatisticsTest, APrinterWithoutCountersLeavesTheirValuesEmpty) {
  printer.answers = false;
  CPOSPrinter p;
  OpenClaimEnable(p);
  const std::string doc = Retrieve(p);
  EXPECT_EQ(tavo_test::StatisticValue(doc, "PaperCutCount"), "");
  EXPECT_EQ(tavo_test::StatisticValue(doc, "BarcodePrintedCount"), "0");
  EXPECT_NE(doc.find("<ManufacturerName>Tavo</ManufacturerName>"), std::string::npos);
  EXPECT_NE(doc.find("<ModelName>PX-AA</ModelName>"), std::string::npos);  // the entry's model
}

TEST_F(StatisticsTest, CoverOpeningsAndFailuresAreCounted) {
  CPOSPrinter p;
  OpenClaimEnable(p);
  SettleMonitor();
  for (FakePortMgr::Status s : {FakePortMgr::Status{0x30, 0, 0, 0}, FakePortMgr::Status{0x10, 0, 0, 0},
                                FakePortMgr::Status{0x30, 0, 0, 0}, FakePortMgr::Status{0x10, 0x08, 0, 0},
                                FakePortMgr::Status{0x10, 0x20, 0, 0}, FakePortMgr::Status{0x10, 0, 0, 0}}) {
    fake().PushStatus(s);
  }
  ASSERT_TRUE(fake().WaitFor([] { return fake().PendingStatuses() == 0; }, 10000));
  const int polls = fake().Count("GetASBState");
  ASSERT_TRUE(fake().WaitFor([polls] { return fake().Count("GetASBState") > polls; }, 10000));
  const std::string doc = Retrieve(p);
  EXPECT_EQ(tavo_test::StatisticValue(doc, "ReceiptCoverOpenCount"), "2");
  EXPECT_EQ(tavo_test::StatisticValue(doc, "FailedPaperCutCount"), "1");
  EXPECT_EQ(tavo_test::StatisticValue(doc, "PrinterFaultCount"), "1");
}

}  // namespace
