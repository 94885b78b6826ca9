// Statistics through COM: counts that move by exactly what was printed and
// cut, reset and update, an unknown name refused, and the document read
// back by an XML parser (run-e2e.sh checks the files this test lists).
#include <fstream>

#include "e2e_fixture.h"
#include "tests/support/statistics_value.h"

namespace {

constexpr long kReceipt = 2;
constexpr char kDrawerKey[] = "Software\\OLEforRetail\\ServiceOPOS\\CashDrawer\\E2EStatDrawer";

std::string Narrow(BSTR text) {
  const int wide = static_cast<int>(SysStringLen(text));
  const int n = WideCharToMultiByte(CP_ACP, 0, text, wide, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_ACP, 0, text, wide, &out[0], n, nullptr, nullptr);
  return out;
}

// RetrieveStatistics(names) on either Service Object; the document, or
// "rc N/extended".
std::string Retrieve(PrinterSession& so, const std::string& names = "") {
  std::wstring wide(names.begin(), names.end());
  BSTR text = SysAllocString(wide.c_str());
  VARIANT v;
  VariantInit(&v);
  v.vt = VT_BYREF | VT_BSTR;
  v.pbstrVal = &text;
  const long rc = so.Call(L"RetrieveStatistics", {v});
  const std::string doc = Narrow(text);
  SysFreeString(text);
  if (rc != 0) return "rc " + std::to_string(rc) + "/" + std::to_string(so.Number(PIDX_ResultCodeExtended));
  return doc;
}

using tavo_test::StatisticValue;
long Count(const std::string& doc, const std::string& name) {
  const std::string v = StatisticValue(doc, name);
  EXPECT_FALSE(v.empty() || v == "absent") << name << " in\n" << doc;
  return v.empty() || v == "absent" ? -1 : std::stol(v);
}

// Asks run-e2e.sh to parse the document and find these Name=Value pairs.
void ExpectParsed(const std::string& file, const std::string& doc, const std::vector<std::string>& pairs) {
  std::ofstream(Rig().outFolder + "\\" + file, std::ios::binary) << doc;
  std::ofstream list(Rig().outFolder + "\\xml-expect.txt", std::ios::app | std::ios::binary);
  list << file;
  for (const std::string& p : pairs) list << '\t' << p;
  list << '\n';
}

class Statistics : public PrinterE2e {
 protected:
  long Call(const wchar_t* name, std::vector<VARIANT> args) { return printer_.Call(name, std::move(args)); }
  static VARIANT L(long v) { return PrinterSession::Long(v); }
  static VARIANT T(const std::string& s) { return PrinterSession::Bytes(s); }

  void CutAndWait() {
    CommandLog log;
    ASSERT_EQ(Call(L"CutPaper", {L(100)}), 0);
    ASSERT_TRUE(PumpUntil([&] {
      for (const LoggedCommand& c : log.Since()) {
        if (c.cmd.rfind("cut", 0) == 0) return true;
      }
      return false;
    }));
  }
};

TEST_F(Statistics, PrinterCountsMoveByWhatPrintedAndCut) {
  OpenClaimEnable();
  EXPECT_EQ(printer_.Number(502), 1);
  EXPECT_EQ(printer_.Number(503), 1);
  const std::string before = Retrieve(printer_);
  ASSERT_NE(before.find("<UPOSStat"), std::string::npos) << before;
  EXPECT_NE(before.find("<DeviceCategory UPOS=\"POSPrinter\"/>"), std::string::npos);
  EXPECT_NE(before.find("<Interface>Ethernet</Interface>"), std::string::npos);
  EXPECT_NE(before.find("<SerialNumber>VP0000001</SerialNumber>"), std::string::npos);
  ASSERT_EQ(printer_.PrintNormal("E2E STAT one\nE2E STAT two\n"), 0);
  ASSERT_EQ(Call(L"PrintBarCode", {L(kReceipt), T("E2E STAT QR"), L(204), L(0), L(0), L(-2), L(0)}), 0);
  CutAndWait();
  const std::string after = Retrieve(printer_);
  EXPECT_EQ(Count(after, "PaperCutCount"), Count(before, "PaperCutCount") + 1);
  EXPECT_EQ(Count(after, "BarcodePrintedCount"), Count(before, "BarcodePrintedCount") + 1);
  EXPECT_EQ(Count(after, "ReceiptLinePrintedCount"), Count(before, "ReceiptLinePrintedCount") + 2);
  EXPECT_EQ(Count(after, "ReceiptCharacterPrintedCount"), Count(before, "ReceiptCharacterPrintedCount") + 24);
  EXPECT_GE(Count(after, "ReceiptLineFeedCount"), Count(before, "ReceiptLineFeedCount") + 2);
  EXPECT_EQ(StatisticValue(after, "SlipLinePrintedCount"), "");
  CutAndWait();
  EXPECT_EQ(Count(Retrieve(printer_, "PaperCutCount"), "PaperCutCount"), Count(after, "PaperCutCount") + 1);

  // Reset in the printer, update of a kept count, and an unknown name.
  EXPECT_EQ(Call(L"ResetStatistics", {T("PaperCutCount")}), 0);
  EXPECT_EQ(Call(L"UpdateStatistics", {T("BarcodePrintedCount=100")}), 0);
  EXPECT_EQ(Call(L"UpdateStatistics", {T("PaperCutCount=3")}), 114);
  EXPECT_EQ(printer_.Number(PIDX_ResultCodeExtended), 280);
  EXPECT_EQ(Retrieve(printer_, "PaperCutCount,NoSuchCount"), "rc 114/280");
  const std::string reset = Retrieve(printer_, "PaperCutCount,BarcodePrintedCount,SlipLinePrintedCount");
  EXPECT_EQ(StatisticValue(reset, "PaperCutCount"), "0");
  EXPECT_EQ(StatisticValue(reset, "BarcodePrintedCount"), "100");
  CutAndWait();
  const std::string cut = Retrieve(printer_, "U_");
  EXPECT_EQ(StatisticValue(cut, "PaperCutCount"), "1");
  ExpectParsed("stat-printer.xml", cut,
               {"PaperCutCount=1", "BarcodePrintedCount=100", "SlipLinePrintedCount=",
                "DeviceCategory=POSPrinter"});
}

TEST_F(Statistics, DrawerCountsTheOpensItSaw) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kDrawerKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  const std::pair<const char*, std::string> values[] = {
      {"", "Tavo.CashDrawer.ServiceObject1.9"}, {"DeviceName", "CashDrawer"}, {"POSPrinter", Rig().device},
      {"ConnectorPinNo", "0"}, {"PulseOnTime", "100"}, {"PulseOffTime", "100"}, {"OpenLevel", "0"}};
  for (const auto& v : values)
    RegSetValueExA(key, v.first, 0, REG_SZ, reinterpret_cast<const BYTE*>(v.second.c_str()),
                   static_cast<DWORD>(v.second.size() + 1));
  RegCloseKey(key);
  Control("drawer close");
  PrinterSession drawer;
  ASSERT_TRUE(drawer.Create(nullptr, kDrawerProgId));
  ASSERT_EQ(drawer.Open("E2EStatDrawer", recorder_), 0);
  EXPECT_EQ(drawer.Number(502), 1);
  EXPECT_EQ(Retrieve(drawer), "rc 103/0");
  ASSERT_EQ(drawer.Claim(), 0);
  drawer.SetNumber(PIDX_DeviceEnabled, 1);
  ASSERT_EQ(drawer.Number(PIDX_ResultCode), 0);
  const std::string before = Retrieve(drawer);
  EXPECT_NE(before.find("<DeviceCategory UPOS=\"CashDrawer\"/>"), std::string::npos) << before;
  ASSERT_EQ(drawer.Call(L"OpenDrawer", {}), 0);
  ASSERT_TRUE(PumpUntil([&] { return drawer.Number(1001) == 1; }));
  const std::string after = Retrieve(drawer);
  EXPECT_EQ(Count(after, "DrawerGoodOpenCount"), Count(before, "DrawerGoodOpenCount") + 1);
  EXPECT_EQ(Count(after, "DrawerFailedOpenCount"), Count(before, "DrawerFailedOpenCount"));
  EXPECT_EQ(StatisticValue(after, "HoursPoweredCount"), "");
  EXPECT_EQ(drawer.Call(L"ResetStatistics", {T("DrawerGoodOpenCount")}), 0);
  EXPECT_EQ(drawer.Call(L"ResetStatistics", {T("HoursPoweredCount")}), 114);
  EXPECT_EQ(drawer.Number(PIDX_ResultCodeExtended), 280);
  const std::string reset = Retrieve(drawer);
  EXPECT_EQ(StatisticValue(reset, "DrawerGoodOpenCount"), "0");
  ExpectParsed("stat-drawer.xml", reset, {"DrawerGoodOpenCount=0", "HoursPoweredCount=", "DeviceCategory=CashDrawer"});
  drawer.Close();
  Control("drawer close");
  RegDeleteKeyA(HKEY_LOCAL_MACHINE, kDrawerKey);
}

}  // namespace
