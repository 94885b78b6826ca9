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
    mapping = MappingProfile("mapping.inf", "");
    SeedSerialPrinter("Printer1", "PX-AA", mapping, "Ethernet", 1);
    SeedString("Printer1", "TcpIp", "127.0.0.1");
    SeedDword("Printer1", "TcpPort", 9100);
  }
  // The receipt profile with mapping on and `extra` lines; its path.
  std::string MappingProfile(const char* file, const std::string& extra) {
    std::string profile = ReceiptProfile();
    const std::string key = "CharacterSet=437\r\n";
    profile.replace(profile.find(key), key.size(), key + "CapMapCharacterSet=1\r\nMapCharacterSet=1\r\n" + extra);
    return folder.Write(file, profile);
  }
  // Printer1 on a model with the profile's "MultiByteMode".
  void SeedMultiByteModel(const std::string& mode) {
    SeedSerialPrinter("Printer1", "PX-AA", MappingProfile("multibyte.inf", "MultiByteMode=" + mode + "\r\n"),
                      "Ethernet", 1);
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

// --- CharacterSet 997 ---

std::string Since(size_t before) { return FakePortMgr::Get().Written().substr(before); }

TEST_F(TextCodePageTest, UnicodeIsOnlyWithCharacterSet997MappingAndNoBinaryConversion) {
  CPOSPrinter p;
  OpenClaimEnable(p);
  EXPECT_FALSE(p.UnicodeText());  // off until the application asks
  p.SetPropertyNumber(8002, PTR_CS_UNICODE);
  ASSERT_EQ(p.GetPropertyNumber(6), OPOS_SUCCESS);
  EXPECT_EQ(p.GetPropertyNumber(8002), PTR_CS_UNICODE);
  EXPECT_TRUE(p.UnicodeText());
  EXPECT_EQ(p.TextCodePage(), nullptr);  // no one table: the pipeline encodes
  p.SetPropertyNumber(11, OPOS_BC_NIBBLE);
  EXPECT_FALSE(p.UnicodeText());
  p.SetPropertyNumber(11, OPOS_BC_NONE);
  p.SetPropertyNumber(8045, 0);
  EXPECT_FALSE(p.UnicodeText());
  p.SetPropertyNumber(8045, 1);
  EXPECT_TRUE(p.UnicodeText());
  p.SetPropertyNumber(8002, 852);
  EXPECT_FALSE(p.UnicodeText());
  EXPECT_EQ(p.TextCodePage(), codepage::Find(852));
}

TEST_F(TextCodePageTest, PrintTextUnder997SwitchesToTheModelsPagesAndBack) {
  CPOSPrinter p;
  OpenClaimEnable(p);
  p.SetPropertyNumber(8002, PTR_CS_UNICODE);
  size_t before = fake().Written().size();
  // The profile lists 437, 850, 852 and 858: the euro sign is on 858 only,
  // which is ESC t 11 on this model.
  ASSERT_EQ(p.PrintNormal(PTR_S_RECEIPT, u8"Crème €\n"), OPOS_SUCCESS);
  const std::string out = Since(before);
  EXPECT_NE(out.find(Bytes({0x43, 0x72, 0x8A, 0x6D, 0x65, 0x20, 0x1B, 0x74, 0x0B, 0xD5, 0x0A})), std::string::npos);
  // Back on PC437 before the job ends.
  EXPECT_NE(out.find(Bytes({0x1B, 0x74, 0x00}), out.find(Bytes({0xD5}))), std::string::npos);
  // ValidateData takes the same path: a Cyrillic word no page holds is a
  // picture, not a failure.
  EXPECT_EQ(p.ValidateData(PTR_S_RECEIPT, u8"Дом"), OPOS_SUCCESS);
  before = fake().Written().size();
  ASSERT_EQ(p.PrintImmediate(PTR_S_RECEIPT, u8"Дом\n"), OPOS_SUCCESS);
  EXPECT_NE(Since(before).find(Bytes({0x1B, 0x2A, 0x21})), std::string::npos);
}

TEST_F(TextCodePageTest, Utf8ModelPrintsEastAsianTextAsUtf8) {
  SeedMultiByteModel("UTF8");
  CPOSPrinter p;
  OpenClaimEnable(p);
  p.SetPropertyNumber(8002, PTR_CS_UNICODE);
  const size_t before = fake().Written().size();
  ASSERT_EQ(p.PrintNormal(PTR_S_RECEIPT, u8"日本\n"), OPOS_SUCCESS);
  EXPECT_NE(Since(before).find(Bytes({0x1C, 0x28, 0x43, 0x02, 0x00, 0x30, 0x01, 0xE6, 0x97, 0xA5, 0xE6, 0x9C, 0xAC,
                                      0x0A, 0x1C, 0x28, 0x43, 0x02, 0x00, 0x30, 0x00})),
            std::string::npos);
}

TEST_F(TextCodePageTest, KanjiModelPrintsEastAsianTextInKanjiMode) {
  SeedMultiByteModel("GB18030");
  CPOSPrinter p;
  OpenClaimEnable(p);
  p.SetPropertyNumber(8002, PTR_CS_UNICODE);
  const size_t before = fake().Written().size();
  ASSERT_EQ(p.PrintNormal(PTR_S_RECEIPT, u8"中文\n"), OPOS_SUCCESS);
  EXPECT_NE(Since(before).find(Bytes({0x1C, 0x26, 0xD6, 0xD0, 0xCE, 0xC4, 0x0A, 0x1C, 0x2E})), std::string::npos);
}

TEST_F(TextCodePageTest, TestReceiptUnder997IsNotReadAsUtf8) {
  CPOSPrinter p;
  OpenClaimEnable(p);
  p.SetPropertyNumber(8002, PTR_CS_UNICODE);
  ASSERT_EQ(p.PrintNormal(PTR_S_RECEIPT, u8"Дом\n"), OPOS_SUCCESS);
  const size_t before = fake().Written().size();
  ASSERT_EQ(p.CheckHealth(2), OPOS_SUCCESS);
  const std::string out = Since(before);
  EXPECT_NE(out.find("PX-AA receipt printer"), std::string::npos);
  EXPECT_EQ(out.find(Bytes({0x1B, 0x2A, 0x21})), std::string::npos);
}

}  // namespace
