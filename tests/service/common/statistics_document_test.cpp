// The UPOSStat document: its layout, its escaping, and (where python3 is
// at hand) a real XML parser's reading of it.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>

#include "service/common/statistics_document.h"
#include "tests/support/temp_folder.h"

namespace {

StatisticsEquipment Sample() {
  StatisticsEquipment e;
  e.unifiedPosVersion = "1.9";
  e.deviceCategory = "POSPrinter";
  e.manufacturerName = "Tavo";
  e.modelName = "TavoPOS-R300 <80mm> & \"cutter\"";
  e.serialNumber = "VP0000001";
  e.firmwareRevision = "1.00";
  e.interfaceName = "Ethernet";
  e.installationDate = "2026-12-09";
  return e;
}

const std::vector<StatisticValue> kValues = {
    {"PaperCutCount", true, "17"}, {"StampFiredCount", true, ""}, {"HeadEnergizedLineCount", false, "1234"}};

TEST(StatisticsDocument, EquipmentThenOneEntryPerStatistic) {
  const std::string doc = MakeStatisticsDocument(Sample(), kValues);
  EXPECT_EQ(doc.rfind("<?xml version=\"1.0\"?>\n<UPOSStat version=\"1.9.0\"", 0), 0u) << doc;
  EXPECT_NE(doc.find("xmlns=\"http://www.nrf-arts.org/UnifiedPOS/namespace/\""), std::string::npos);
  EXPECT_NE(doc.find("<UnifiedPOSVersion>1.9</UnifiedPOSVersion>"), std::string::npos);
  EXPECT_NE(doc.find("<DeviceCategory UPOS=\"POSPrinter\"/>"), std::string::npos);
  EXPECT_NE(doc.find("<ModelName>TavoPOS-R300 &lt;80mm&gt; &amp; &quot;cutter&quot;</ModelName>"), std::string::npos);
  EXPECT_NE(doc.find("<InstallationDate>2026-12-09</InstallationDate>"), std::string::npos);
  EXPECT_LT(doc.find("</Equipment>"), doc.find("<Parameter>"));
  EXPECT_NE(doc.find(" <Parameter>\n  <Name>PaperCutCount</Name>\n  <Value>17</Value>\n </Parameter>"),
            std::string::npos);
  EXPECT_NE(doc.find("<Name>StampFiredCount</Name>\n  <Value/>"), std::string::npos);  // not recorded
  EXPECT_NE(doc.find("<ManufacturerSpecific>\n  <Name>HeadEnergizedLineCount</Name>"), std::string::npos);
  EXPECT_EQ(doc.substr(doc.size() - 12), "</UPOSStat>\n");
}

TEST(StatisticsDocument, TextThatXmlCannotCarryIsLeftOut) {
  EXPECT_EQ(EscapeXmlText(std::string("a\x01\x1F" "b\tc\r\nd'e", 11)), "ab\tc\r\nd&apos;e");
  EXPECT_EQ(EscapeXmlText("\xE9t\xE9"), "\xE9t\xE9");  // code page text passes
}

#ifndef _WIN32
// The document read by Python's XML parser: the names and values it finds.
TEST(StatisticsDocument, AnXmlParserReadsIt) {
  if (std::system("python3 -c 'import xml.dom.minidom' >/dev/null 2>&1") != 0) GTEST_SKIP() << "no python3";
  tavo_test::TempFolder folder;
  StatisticsEquipment e = Sample();
  e.serialNumber = std::string("S\x02N", 3);
  const std::string path = folder.File("stat.xml");
  std::ofstream(path, std::ios::binary) << MakeStatisticsDocument(e, kValues);
  const std::string script =
      "import sys, xml.dom.minidom as m\n"
      "d = m.parse(sys.argv[1])\n"
      "t = lambda n: ''.join(c.data for c in n.childNodes)\n"
      "e = d.getElementsByTagName('Equipment')[0]\n"
      "print(t(e.getElementsByTagName('ModelName')[0]))\n"
      "print(e.getElementsByTagName('DeviceCategory')[0].getAttribute('UPOS'))\n"
      "for p in d.getElementsByTagName('Parameter') + d.getElementsByTagName('ManufacturerSpecific'):\n"
      "  print(t(p.getElementsByTagName('Name')[0]) + '=' + t(p.getElementsByTagName('Value')[0]))\n";
  std::ofstream(folder.File("read.py")) << script;
  FILE* p = popen(("python3 '" + folder.File("read.py") + "' '" + path + "' 2>&1").c_str(), "r");
  ASSERT_NE(p, nullptr);
  std::string out;
  char buf[256];
  size_t n;
  while ((n = fread(buf, 1, sizeof buf, p)) > 0) out.append(buf, n);
  EXPECT_EQ(pclose(p), 0) << out;
  EXPECT_EQ(out,
            "TavoPOS-R300 <80mm> & \"cutter\"\nPOSPrinter\nPaperCutCount=17\nStampFiredCount=\n"
            "HeadEnergizedLineCount=1234\n");
}
#endif

}  // namespace
