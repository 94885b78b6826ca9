// CRegistryAccess over the registry layer; runs natively and under Wine.
#include "common/registry_access.h"

#include <gtest/gtest.h>

#include "platform/registry.h"
#include "platform/registry_test_support.h"

namespace seed = platform::test_support;

namespace {

const char kKey[] = "Software\\OLEforRetail\\ServiceOPOS\\POSPrinter\\Dev";

class RegistryAccessTest : public ::testing::Test {
 protected:
  void SetUp() override { seed::ResetRegistry(); }

  static uint32_t RawType(const std::string& path, const std::string& name, uint32_t* size) {
    platform::RegKey key;
    uint32_t type = 0;
    *size = 0;
    if (key.Open(path, platform::RegAccess::kRead) != platform::kRegOk) return 0;
    if (key.QueryValue(name, &type, nullptr, size) != platform::kRegOk) return 0;
    return type;
  }
  static bool KeyExists(const std::string& path) {
    platform::RegKey key;
    return key.Open(path, platform::RegAccess::kRead) == platform::kRegOk;
  }

  CRegistryAccess reg_;
};

TEST_F(RegistryAccessTest, ReadStringTakesTheThreeTextTypesVerbatim) {
  ASSERT_TRUE(seed::SeedValue(kKey, "sz", platform::kRegSz, {'a', 'b', 0}));
  ASSERT_TRUE(seed::SeedValue(kKey, "exp", platform::kRegExpandSz, {'%', 'P', '%', 0}));
  ASSERT_TRUE(seed::SeedValue(kKey, "link", platform::kRegLink, {'l', 0}));
  ASSERT_TRUE(seed::SeedValue(kKey, "nonul", platform::kRegSz, {'x', 'y'}));
  ASSERT_TRUE(seed::SeedValue(kKey, "empty", platform::kRegSz, {}));
  std::string out;
  ASSERT_TRUE(reg_.ReadString(kKey, "sz", &out));
  EXPECT_EQ(out, "ab");
  ASSERT_TRUE(reg_.ReadString(kKey, "exp", &out));
  EXPECT_EQ(out, "%P%");  // no expansion
  ASSERT_TRUE(reg_.ReadString(kKey, "link", &out));
  EXPECT_EQ(out, "l");
  ASSERT_TRUE(reg_.ReadString(kKey, "nonul", &out));
  EXPECT_EQ(out, "xy");
  ASSERT_TRUE(reg_.ReadString(kKey, "empty", &out));
  EXPECT_EQ(out, "");
}

TEST_F(RegistryAccessTest, FailedReadsLeaveThePresetAlone) {
  ASSERT_TRUE(reg_.WriteNumber(kKey, "BaudRate", 9600));
  ASSERT_TRUE(reg_.WriteString(kKey, "TcpPort", "9100"));
  ASSERT_TRUE(seed::SeedValue(kKey, "bin", platform::kRegBinary, {1, 2, 3, 4}));
  std::string text = "preset";
  EXPECT_FALSE(reg_.ReadString(kKey, "BaudRate", &text));  // a number is no text
  EXPECT_FALSE(reg_.ReadString(kKey, "bin", &text));
  EXPECT_FALSE(reg_.ReadString(kKey, "Missing", &text));
  EXPECT_FALSE(reg_.ReadString("Software\\Missing", "BaudRate", &text));
  EXPECT_EQ(text, "preset");
  int32_t number = -7;
  EXPECT_FALSE(reg_.ReadNumber(kKey, "TcpPort", &number));  // text is no number
  EXPECT_FALSE(reg_.ReadNumber(kKey, "bin", &number));
  EXPECT_FALSE(reg_.ReadNumber(kKey, "Missing", &number));
  EXPECT_EQ(number, -7);
}

TEST_F(RegistryAccessTest, ReadNumberTakesFourBytesLittleEndianOnly) {
  ASSERT_TRUE(seed::SeedValue(kKey, "be", platform::kRegDwordBigEndian, {0x01, 0x02, 0x03, 0x04}));
  ASSERT_TRUE(seed::SeedValue(kKey, "short", platform::kRegDword, {0x05, 0x00}));
  ASSERT_TRUE(seed::SeedValue(kKey, "long", platform::kRegDword, {1, 0, 0, 0, 9, 9, 9, 9}));
  int32_t number = 0;
  ASSERT_TRUE(reg_.ReadNumber(kKey, "be", &number));
  EXPECT_EQ(number, 0x04030201);  // no byte swap
  number = 11;
  EXPECT_FALSE(reg_.ReadNumber(kKey, "short", &number));
  EXPECT_FALSE(reg_.ReadNumber(kKey, "long", &number));
  EXPECT_EQ(number, 11);
  ASSERT_TRUE(reg_.WriteNumber(kKey, "neg", -2));
  ASSERT_TRUE(reg_.ReadNumber(kKey, "neg", &number));
  EXPECT_EQ(number, -2);
}

TEST_F(RegistryAccessTest, WritesCreateTheKeyAndStoreTheDocumentedTypes) {
  ASSERT_TRUE(reg_.WriteString(kKey, "Port", "COM1"));
  ASSERT_TRUE(reg_.WriteString(kKey, "", "Tavo.POSPrinter.ServiceObject.1.9"));
  ASSERT_TRUE(reg_.WriteNumber(kKey, "Model", 4));
  uint32_t size = 0;
  EXPECT_EQ(RawType(kKey, "Port", &size), uint32_t{platform::kRegSz});
  EXPECT_EQ(size, 5u);  // the terminating NUL is counted
  EXPECT_EQ(RawType(kKey, "Model", &size), uint32_t{platform::kRegDword});
  EXPECT_EQ(size, 4u);
  std::string progId;
  ASSERT_TRUE(reg_.ReadString(kKey, "", &progId));
  EXPECT_EQ(progId, "Tavo.POSPrinter.ServiceObject.1.9");
}

TEST_F(RegistryAccessTest, ValueNamesOfDifferentCaseAreOneValue) {
  ASSERT_TRUE(reg_.WriteNumber(kKey, "Porttype", 1));
  ASSERT_TRUE(reg_.WriteString(kKey, "UsbDeviceName", "\\\\?\\usb#vid"));
  int32_t portType = 4;
  ASSERT_TRUE(reg_.ReadNumber(kKey, "PortType", &portType));
  EXPECT_EQ(portType, 1);
  std::string path;
  ASSERT_TRUE(reg_.ReadString(kKey, "UsbdeviceName", &path));
  EXPECT_EQ(path, "\\\\?\\usb#vid");
}

TEST_F(RegistryAccessTest, DeleteRemovesOneValueOrAWholeTree) {
  const std::string cls = "Software\\OLEforRetail\\ServiceOPOS\\POSPrinter";
  ASSERT_TRUE(reg_.WriteString(cls + "\\A\\Sub\\Deeper", "v", "1"));
  ASSERT_TRUE(reg_.WriteString(cls + "\\A\\Sub2", "v", "1"));
  ASSERT_TRUE(reg_.WriteString(cls + "\\A", "LDN", "L"));
  ASSERT_TRUE(reg_.WriteString(cls + "\\B", "v", "1"));
  ASSERT_TRUE(reg_.Delete(cls + "\\A", "LDN"));
  EXPECT_FALSE(reg_.Delete(cls + "\\A", "LDN"));
  std::string ldn = "kept";
  EXPECT_FALSE(reg_.ReadString(cls + "\\A", "LDN", &ldn));
  ASSERT_TRUE(reg_.Delete(cls + "\\A\\", nullptr));
  EXPECT_FALSE(KeyExists(cls + "\\A"));
  EXPECT_TRUE(KeyExists(cls + "\\B"));
  EXPECT_FALSE(reg_.Delete(cls + "\\A", nullptr));
  EXPECT_FALSE(reg_.Delete("", nullptr));
  EXPECT_FALSE(reg_.Delete("\\", nullptr));
  EXPECT_TRUE(KeyExists("Software"));
}

TEST_F(RegistryAccessTest, ClassKeyScanStopsAtTheFirstBracketName) {
  const std::string cls = "Software\\OLEforRetail\\ServiceOPOS\\POSPrinter";
  EXPECT_TRUE(reg_.ScanClassKey(cls).empty());
  for (const char* name : {"TavoPOS-R200", "TavoPOS-R200_1", "Zeta", "[Hidden]", "0first"}) {
    ASSERT_TRUE(reg_.WriteString(cls + "\\" + name, "DeviceName", name));
  }
  // "[" sorts before the letters here, so only "0first" precedes it.
  EXPECT_EQ(reg_.ScanClassKey(cls), std::vector<std::string>{"0first"});
  ASSERT_TRUE(reg_.Delete(cls + "\\[Hidden]", nullptr));
  EXPECT_EQ(reg_.ScanClassKey(cls),
            (std::vector<std::string>{"0first", "TavoPOS-R200", "TavoPOS-R200_1", "Zeta"}));
}

}  // namespace
