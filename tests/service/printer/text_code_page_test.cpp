// Which code page print text is mapped into: MapCharacterSet, CharacterSet
// and BinaryConversion together, and the test receipt's text.
#include <gtest/gtest.h>

#include "common/opos.h"
#include "printer_fixture.h"

using namespace printer_test;
using namespace opos;

namespace {

class TextCodePageTest : public PrinterTest {
 protected:
  void SetUp() override {
    PrinterTest::SetUp();
    std::string profile = ReceiptProfile();
    const std::string key = "CharacterSet=437\r\n";
    profile.replace(profile.find(key), key.size(), key + "CapMapCharacterSet=1\r\nMapCharacterSet=1\r\n");
    mapping = folder.Write("mapping.inf", profile);
    SeedSerialPrinter("Printer1", "PX-AA", mapping, "Ethernet", 1);
    SeedString("Printer1", "TcpIp", "127.0.0.1");
    SeedDword("Printer1", "TcpPort", 9100);
  }
  std::string mapping;
};

TEST_F(TextCodePageTest, FollowsCharacterSetWhileMappingIsOn) {
  CPOSPrinter p;
  OpenClaimEnable(p);
  EXPECT_EQ(p.TextCodePage(), codepage::Find(437));
  const struct {
    int32_t characterSet, codePage;
  } cases[] = {{858, 858}, {866, 866}, {1, codepage::kKatakana}, {998, 437}, {999, 1252}, {1257, 1257}, {874, 874}};
  for (const auto& c : cases) {
    p.SetPropertyNumber(8002, c.characterSet);
    ASSERT_EQ(p.GetPropertyNumber(6), OPOS_SUCCESS) << c.characterSet;
    EXPECT_EQ(p.TextCodePage(), codepage::Find(c.codePage)) << c.characterSet;
  }
  p.SetPropertyNumber(8002, 23);  // a table the package has no chart of: the system code page
  EXPECT_EQ(p.TextCodePage(), nullptr);
  p.SetPropertyNumber(8002, 852);

  // Binary conversion carries bytes as digits: they are not mapped.
  p.SetPropertyNumber(11, OPOS_BC_NIBBLE);
  EXPECT_EQ(p.TextCodePage(), nullptr);
  p.SetPropertyNumber(11, OPOS_BC_NONE);
  EXPECT_EQ(p.TextCodePage(), codepage::Find(852));

  p.SetPropertyNumber(8045, 0);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_SUCCESS);
  EXPECT_EQ(p.GetPropertyNumber(8045), 0);
  EXPECT_EQ(p.TextCodePage(), nullptr);
  p.SetPropertyNumber(8045, 1);
  EXPECT_EQ(p.GetPropertyNumber(8045), 1);
  EXPECT_EQ(p.TextCodePage(), codepage::Find(852));
}

TEST_F(TextCodePageTest, MappingCannotBeTurnedOnWithoutTheCapability) {
  SeedSerialPrinter("Printer1", "PX-AA", profilePath, "Ethernet", 1);  // the profile without mapping
  CPOSPrinter p;
  OpenClaimEnable(p);
  EXPECT_EQ(p.TextCodePage(), nullptr);
  p.SetPropertyNumber(8045, 1);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.GetPropertyNumber(8045), 0);
  EXPECT_EQ(p.TextCodePage(), nullptr);
}

TEST_F(TextCodePageTest, TestReceiptTextIsRecodedOnlyWhileMapping) {
  CPOSPrinter p;
  p.SetTextRecoder([](const std::string& text, const codepage::Table& table) {
    return text + (&table == codepage::Find(437) ? "<437>" : "<other>");
  });
  OpenClaimEnable(p);
  ASSERT_EQ(p.CheckHealth(2), OPOS_SUCCESS);
  EXPECT_NE(fake().Written().find("<437>"), std::string::npos);
  p.SetPropertyNumber(8045, 0);
  const size_t before = fake().Written().size();
  ASSERT_EQ(p.CheckHealth(2), OPOS_SUCCESS);
  EXPECT_EQ(fake().Written().find("<437>", before), std::string::npos);
  EXPECT_NE(fake().Written().find("PX-AA receipt printer", before), std::string::npos);
}

}  // namespace
