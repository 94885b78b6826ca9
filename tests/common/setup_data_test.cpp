// Setup data file readers against files in a temporary installation folder.
#include "common/setup_data.h"

#include <gtest/gtest.h>

#include "common/registry_access.h"
#include "common/registry_schema.h"
#include "platform/registry_test_support.h"
#include "tests/support/temp_folder.h"

using namespace setup_data;

namespace {

class SetupDataTest : public ::testing::Test {
 protected:
  std::string dir() const { return folder_.Path(); }
  void Write(const std::string& name, const std::string& text) { folder_.Write(name, text); }
  tavo_test::TempFolder folder_;
};

const char kFullModel[] =
    "[TavoPOS-R200]\r\nDeviceDesc=Receipt printer\r\nSOName=Tavo.POSPrinter.ServiceObject.1.9\r\n"
    "Description=Tavo printer\r\nVid=1A2B\r\nPid=0201\r\nTYPE=2\r\nPORT=5\r\nMODELCODE=7\r\n";

TEST_F(SetupDataTest, PathsAreFolderBackslashName) {
  EXPECT_EQ(DataFilePath("C:\\Tavo", kSetupInf), "C:\\Tavo\\setup.inf");
  EXPECT_EQ(DataFilePath("", kPosCashInf), "\\poscash.inf");
  EXPECT_EQ(CapabilityProfilePath("C:\\Tavo", "TavoPOS-R200"), "C:\\Tavo\\TavoPOS-R200.inf");
}

TEST_F(SetupDataTest, InstallFolderComesFromTheRegistry) {
  platform::test_support::ResetRegistry();
  CRegistryAccess reg;
  std::string folder = "unchanged";
  EXPECT_FALSE(ReadInstallDir(reg, &folder));
  EXPECT_EQ(folder, "unchanged");
  ASSERT_TRUE(reg.WriteString(schema::kServiceInfoKey, schema::kInstalldir, "C:\\Tavo"));
  EXPECT_TRUE(ReadInstallDir(reg, &folder));
  EXPECT_EQ(folder, "C:\\Tavo");
}

TEST_F(SetupDataTest, ModelListsEndAtTheFirstGapOrEmptyValue) {
  Write(kSetupInf,
        "[READPOSPRINTER]\r\nREADPrinter1=A\r\nREADPrinter2=B\r\nREADPrinter3=C\r\nREADPrinter5=E\r\n"
        "[READDISPLAY]\r\nREADDisplay1=\r\nREADDisplay2=QDX-200\r\n");
  EXPECT_EQ(ReadModelList(dir(), ModelClass::kPrinter), (std::vector<std::string>{"A", "B", "C"}));
  EXPECT_TRUE(ReadModelList(dir(), ModelClass::kLineDisplay).empty());
  EXPECT_TRUE(ReadModelList(folder_.File("missing"), ModelClass::kPrinter).empty());
}

TEST_F(SetupDataTest, ModelListsStopAfterNumber255) {
  std::string text = "[READPOSPRINTER]\r\n";
  for (int i = 1; i <= 260; ++i) text += "READPrinter" + std::to_string(i) + "=M" + std::to_string(i) + "\r\n";
  Write(kSetupInf, text);
  const auto models = ReadModelList(dir(), ModelClass::kPrinter);
  ASSERT_EQ(models.size(), 255u);
  EXPECT_EQ(models.back(), "M255");
}

TEST_F(SetupDataTest, ModelSectionGivesEveryTextAndNumber) {
  Write(kPosPrnInf, kFullModel);
  ModelInfo info;
  ASSERT_TRUE(ReadModelInfo(dir(), ModelClass::kPrinter, "tavopos-r200", &info));
  EXPECT_EQ(info.deviceDesc, "Receipt printer");
  EXPECT_EQ(info.soName, "Tavo.POSPrinter.ServiceObject.1.9");
  EXPECT_EQ(info.description, "Tavo printer");
  EXPECT_EQ(info.vid, "1A2B");
  EXPECT_EQ(info.pid, "0201");
  EXPECT_EQ(info.type, 2);
  EXPECT_EQ(info.port, 5);
  EXPECT_EQ(info.modelCode, 7);
  // Displays read their own file.
  EXPECT_FALSE(ReadModelInfo(dir(), ModelClass::kLineDisplay, "TavoPOS-R200", &info));
}

TEST_F(SetupDataTest, MissingNumbersDefaultToFour) {
  Write(kPosDispInf, "[QDX-200]\r\nDeviceDesc=d\r\nSOName=s\r\nDescription=x\r\nVid=1\r\nPid=2\r\n");
  ModelInfo info;
  ASSERT_TRUE(ReadModelInfo(dir(), ModelClass::kLineDisplay, "QDX-200", &info));
  EXPECT_EQ(info.type, 4);
  EXPECT_EQ(info.port, 4);
  EXPECT_EQ(info.modelCode, 4);
}

TEST_F(SetupDataTest, AnyMissingTextFailsTheModel) {
  const char* keys[] = {"DeviceDesc", "SOName", "Description", "Vid", "Pid"};
  for (const char* emptied : keys) {
    for (bool dropKey : {false, true}) {
      std::string text = "[TavoPOS-R200]\r\n";
      for (const char* key : keys) {
        if (key != emptied) text += std::string(key) + "=v\r\n";
        else if (!dropKey) text += std::string(key) + "=\r\n";
      }
      Write(kPosPrnInf, text);
      ModelInfo info;
      info.vid = "untouched";
      EXPECT_FALSE(ReadModelInfo(dir(), ModelClass::kPrinter, "TavoPOS-R200", &info)) << emptied;
      EXPECT_EQ(info.vid, "untouched") << emptied;
    }
  }
  Write(kPosPrnInf, kFullModel);
  ModelInfo info;
  EXPECT_FALSE(ReadModelInfo(dir(), ModelClass::kPrinter, "Unknown", &info));
}

TEST_F(SetupDataTest, ModelNamesThatCannotNameAKeyAreRefused) {
  Write(kPosPrnInf, std::string(kFullModel) + "[A\\B]\r\nDeviceDesc=d\r\nSOName=s\r\nDescription=x\r\nVid=1\r\nPid=2\r\n");
  ModelInfo info;
  EXPECT_FALSE(ReadModelInfo(dir(), ModelClass::kPrinter, "A\\B", &info));
  EXPECT_FALSE(ReadModelInfo(dir(), ModelClass::kPrinter, "", &info));
}

TEST_F(SetupDataTest, VersionTextsAndLowerCaseSectionHeader) {
  EXPECT_EQ(ReadVersionDescription(dir()), "");
  std::string version = "x";
  EXPECT_FALSE(ReadVersion(dir(), &version));
  Write(kSetupInf, "[description]\r\nVersionDescription=Tavo OPOS Setup\r\nVersion=\r\n");
  EXPECT_EQ(ReadVersionDescription(dir()), "Tavo OPOS Setup");
  EXPECT_FALSE(ReadVersion(dir(), &version));
  Write(kSetupInf, "[DESCRIPTION]\r\nVersion=1.9.3\r\n");
  ASSERT_TRUE(ReadVersion(dir(), &version));
  EXPECT_EQ(version, "1.9.3");
}

TEST_F(SetupDataTest, PortCountsDefaultAndAreWrittenBack) {
  EXPECT_EQ(ReadComRange(dir()), 4);
  EXPECT_EQ(ReadLptRange(dir()), 2);
  EXPECT_EQ(ReadLptmRange(dir()), 4);
  ASSERT_TRUE(WriteComRange(dir(), 8));
  ASSERT_TRUE(WriteLptRange(dir(), 3));
  EXPECT_EQ(ReadComRange(dir()), 8);
  EXPECT_EQ(ReadLptRange(dir()), 3);
  EXPECT_EQ(ReadLptmRange(dir()), 4);  // a key of its own
  EXPECT_NE(folder_.Read(kSetupInf).find("COMRange=8"), std::string::npos);
}

TEST_F(SetupDataTest, DamagedPortCountsStayInRange) {
  Write(kSetupInf, "[Description]\r\nCOMRange=-3\r\nLPTRange=100000\r\nLPTMRange=abc\r\n");
  EXPECT_EQ(ReadComRange(dir()), 0);
  EXPECT_EQ(ReadLptRange(dir()), kMaxPortCount);
  EXPECT_EQ(ReadLptmRange(dir()), 0);
}

TEST_F(SetupDataTest, CashDrawerNeedsAllThreeTexts) {
  Write(kPosCashInf, "[CashDrawer]\r\nDeviceDesc=Drawer\r\nSOName=Tavo.CashDrawer.ServiceObject1.9\r\nDescription=D\r\n");
  CashDrawerInfo info;
  ASSERT_TRUE(ReadCashDrawerInfo(dir(), &info));
  EXPECT_EQ(info.soName, "Tavo.CashDrawer.ServiceObject1.9");
  Write(kPosCashInf, "[CashDrawer]\r\nDeviceDesc=Drawer\r\nSOName=Tavo.CashDrawer.ServiceObject1.9\r\n");
  EXPECT_FALSE(ReadCashDrawerInfo(dir(), &info));
}

TEST_F(SetupDataTest, PortTypeSelectsTheInterfaces) {
  struct Case {
    int32_t port;
    bool serial, parallel, usb, ethernet;
  };
  const Case cases[] = {{1, true, false, false, false}, {2, true, true, false, false},
                        {5, true, true, false, true},   {4, true, true, true, true},
                        {0, true, true, true, true},    {3, true, true, true, true}};
  for (const Case& c : cases) {
    const PortInterfaces got = InterfacesForPortType(c.port);
    EXPECT_EQ(got.serial, c.serial) << c.port;
    EXPECT_EQ(got.parallel, c.parallel) << c.port;
    EXPECT_EQ(got.usb, c.usb) << c.port;
    EXPECT_EQ(got.ethernet, c.ethernet) << c.port;
  }
}

}  // namespace
