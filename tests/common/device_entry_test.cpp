// The add-device wizard's installation and the cash drawer entry, from
// setup data files in a temporary folder into the registry.
#include "common/device_entry.h"

#include <gtest/gtest.h>

#include "common/registry_access.h"
#include "common/registry_schema.h"
#include "platform/registry.h"
#include "platform/registry_test_support.h"
#include "tests/support/temp_folder.h"

using device_rules::DeviceClass;
using device_rules::DeviceKeyPath;

namespace {

const char kSetup[] = "[Description]\r\nVersion=1.9.3\r\n";
const char kPrinters[] =
    "[TavoPOS-R200]\r\nDeviceDesc=Receipt printer\r\nSOName=Tavo.POSPrinter.ServiceObject.1.9\r\n"
    "Description=Tavo service object\r\nVid=1A2B\r\nPid=0201\r\nTYPE=2\r\nPORT=1\r\nMODELCODE=7\r\n"
    "[NoPid]\r\nDeviceDesc=d\r\nSOName=s\r\nDescription=x\r\nVid=1A2B\r\nPid=\r\n";

class DeviceEntryTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform::test_support::ResetRegistry();
    folder_.Write(setup_data::kSetupInf, kSetup);
    folder_.Write(setup_data::kPosPrnInf, kPrinters);
    folder_.Write(setup_data::kPosDispInf,
                  "[QDX-200]\r\nDeviceDesc=Display\r\nSOName=Other.LineDisplay\r\nDescription=d\r\nVid=1\r\nPid=2\r\n");
  }
  std::string Text(const std::string& key, const char* name) {
    std::string text = "<none>";
    reg_.ReadString(key, name, &text);
    return text;
  }
  int32_t Number(const std::string& key, const char* name) {
    int32_t n = -1;
    reg_.ReadNumber(key, name, &n);
    return n;
  }

  tavo_test::TempFolder folder_;
  CRegistryAccess reg_;
};

TEST_F(DeviceEntryTest, InstallationWritesEveryInitialValue) {
  std::string name;
  ASSERT_TRUE(device_entry::InstallDevice(reg_, DeviceClass::kPOSPrinter, folder_.Path(), "TavoPOS-R200", &name));
  ASSERT_EQ(name, "TavoPOS-R200");
  const std::string key = DeviceKeyPath(DeviceClass::kPOSPrinter, name);
  const std::pair<const char*, std::string> texts[] = {
      {"", "Tavo.POSPrinter.ServiceObject.1.9"}, {"Description", "Tavo service object"},
      {"DeviceName", "TavoPOS-R200"}, {"DeviceDesc", "Receipt printer"}, {"Version", "1.9.3"},
      {"DeviceClass", "POSPrinter"}, {"LDN", ""}, {"Port", "COM1"}, {"BaudRate", "9600"},
      {"BitLength", "8"}, {"HandShake", "CTS/RTS"}, {"InputBuf", "8192"}, {"OutputBuf", "8192"},
      {"InputSleep", "0"}, {"Out_Interval", "0"}, {"Parity", "0"}, {"Stop", "0"}, {"Timeout", "1000"},
      {"comp", "Corvane"}, {"Vid", "1A2B"}, {"Pid", "0201"}, {"UsbDeviceName", ""}, {"TcpIp", "0.0.0.0"},
      {"inf", folder_.Path() + "\\TavoPOS-R200.inf"},
  };
  for (const auto& t : texts) EXPECT_EQ(Text(key, t.first), t.second) << t.first;
  const std::pair<const char*, int32_t> numbers[] = {
      {"Model", 7}, {"UsbCount", 0}, {"TcpPort", 0}, {"type", 2}, {"Porttype", 1}};
  for (const auto& n : numbers) EXPECT_EQ(Number(key, n.first), n.second) << n.first;
  // A number is no text: BaudRate-like readers of these get nothing.
  EXPECT_EQ(Text(key, "Model"), "<none>");
}

TEST_F(DeviceEntryTest, PortTypeWrittenByTheWizardReadsBackUnderTheDialogsSpelling) {
  std::string name;
  ASSERT_TRUE(device_entry::InstallDevice(reg_, DeviceClass::kPOSPrinter, folder_.Path(), "TavoPOS-R200", &name));
  const int32_t portType = Number(DeviceKeyPath(DeviceClass::kPOSPrinter, name), schema::kPortTypeRead);
  const auto offered = setup_data::InterfacesForPortType(portType);
  EXPECT_TRUE(offered.serial);
  EXPECT_FALSE(offered.parallel || offered.usb || offered.ethernet);
}

TEST_F(DeviceEntryTest, TheSameModelThreeTimesGetsNumberedNames) {
  std::string a, b, c;
  ASSERT_TRUE(device_entry::InstallDevice(reg_, DeviceClass::kPOSPrinter, folder_.Path(), "TavoPOS-R200", &a));
  ASSERT_TRUE(device_entry::InstallDevice(reg_, DeviceClass::kPOSPrinter, folder_.Path(), "TavoPOS-R200", &b));
  ASSERT_TRUE(device_entry::InstallDevice(reg_, DeviceClass::kPOSPrinter, folder_.Path(), "TavoPOS-R200", &c));
  EXPECT_EQ(a, "TavoPOS-R200");
  EXPECT_EQ(b, "TavoPOS-R200_1");
  EXPECT_EQ(c, "TavoPOS-R200_2");
  EXPECT_EQ(Text(DeviceKeyPath(DeviceClass::kPOSPrinter, c), "DeviceName"), "TavoPOS-R200");
}

TEST_F(DeviceEntryTest, IncompleteDataChangesNothing) {
  std::string name = "kept";
  EXPECT_FALSE(device_entry::InstallDevice(reg_, DeviceClass::kPOSPrinter, folder_.Path(), "NoPid", &name));
  EXPECT_FALSE(device_entry::InstallDevice(reg_, DeviceClass::kPOSPrinter, folder_.Path(), "Unknown", &name));
  folder_.Write(setup_data::kSetupInf, "[Description]\r\nVersionDescription=x\r\n");
  EXPECT_FALSE(device_entry::InstallDevice(reg_, DeviceClass::kPOSPrinter, folder_.Path(), "TavoPOS-R200", &name));
  EXPECT_FALSE(device_entry::InstallDevice(reg_, DeviceClass::kPOSPrinter, "", "TavoPOS-R200", &name));
  EXPECT_EQ(name, "kept");
  EXPECT_FALSE(reg_.KeyExists(schema::kServiceOposRoot));
}

TEST_F(DeviceEntryTest, LineDisplaysGoToTheirOwnClass) {
  std::string name;
  ASSERT_TRUE(device_entry::InstallDevice(reg_, DeviceClass::kLineDisplay, folder_.Path(), "QDX-200", &name));
  const std::string key = DeviceKeyPath(DeviceClass::kLineDisplay, name);
  EXPECT_EQ(Text(key, "DeviceClass"), "LineDisplay");
  EXPECT_EQ(Text(key, ""), "Other.LineDisplay");
  EXPECT_EQ(Number(key, "type"), 4);
  EXPECT_FALSE(reg_.KeyExists(schema::kPOSPrinterKey));
}

TEST_F(DeviceEntryTest, CashDrawerEntryHoldsTextsOnly) {
  const setup_data::CashDrawerInfo info{"Cash drawer", "Tavo.CashDrawer.ServiceObject1.9", "Drawer SO"};
  device_entry::DrawerSettings settings;
  settings.printer = "TavoPOS-R200";
  settings.pulseOnTime = "";  // stored as typed
  ASSERT_TRUE(device_entry::WriteCashDrawerValues(reg_, "CashDrawer", info, "1.9.3", settings));
  const std::string key = DeviceKeyPath(DeviceClass::kCashDrawer, "CashDrawer");
  const std::pair<const char*, std::string> texts[] = {
      {"", "Tavo.CashDrawer.ServiceObject1.9"}, {"Description", "Drawer SO"}, {"DeviceName", "CashDrawer"},
      {"DeviceDesc", "Cash drawer"}, {"Version", "1.9.3"}, {"DeviceClass", "CashDrawer"}, {"LDN", ""},
      {"POSPrinter", "TavoPOS-R200"}, {"OpenLevel", "0"}, {"ConnectorPinNo", "1"}, {"PulseOnTime", ""},
      {"PulseOffTime", "100"}, {"comp", "Corvane"},
  };
  for (const auto& t : texts) EXPECT_EQ(Text(key, t.first), t.second) << t.first;
}

}  // namespace
