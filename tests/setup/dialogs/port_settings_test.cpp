// The port settings dialog's rules on entries made by the wizard.
#include "setup/dialogs/port_settings.h"

#include <gtest/gtest.h>

#include "common/device_entry.h"
#include "setup/dialogs/port_values.h"
#include "tests/setup/dialogs/dialog_fixture.h"

using namespace devsetup;
using namespace dialog_test;

namespace {

const DeviceClass kPrinter = DeviceClass::kPOSPrinter;
using Texts = std::vector<std::string>;

class PortSettingsTest : public DialogTest {
 protected:
  std::string Install(const char* model = "TavoPOS-R200") {
    std::string name;
    EXPECT_TRUE(device_entry::InstallDevice(reg_, kPrinter, folder_.Path(), model, &name));
    return name;
  }
  CPortSettingsRules OpenRules(const std::string& name, bool isNew = false, UsbPrinterItems usb = {}) {
    CPortSettingsRules rules(reg_, kPrinter, name, isNew, std::move(usb));
    EXPECT_TRUE(rules.Open(box_));
    return rules;
  }
};

UsbPrinterItems TwoUsbPrinters() {
  return MakeUsbItems({"\\\\?\\USB#VID_FAB0&PID_2099#1#{28D78FAD}", "\\\\?\\USB#VID_FAB0&PID_2016#A#{28D78FAD}",
                       "\\\\?\\USB#VID_FAB0&PID_2016#B#{28D78FAD}"});
}

TEST_F(PortSettingsTest, AWizardEntryOpensOnSerialAndKeepsItsStoredLineValues) {
  const std::string name = Install();
  Set(kPrinter, name, "Parity", "1");
  Set(kPrinter, name, "Stop", "2");
  Set(kPrinter, name, "BaudRate", "4800");
  CPortSettingsRules rules = OpenRules(name);
  PortForm& f = rules.Form();
  EXPECT_EQ(f.iface, PortInterface::kSerial);
  EXPECT_TRUE(f.SerialListsEnabled());
  EXPECT_EQ(f.port.texts, (Texts{"COM1", "COM2", "COM3"}));
  EXPECT_EQ(f.port.SelectedText(), "COM1");
  EXPECT_EQ(f.baudRate.SelectedText(), "4800");
  EXPECT_EQ(f.parity.SelectedText(), "EVEN");
  EXPECT_EQ(f.stopBits.SelectedText(), "2");
  EXPECT_EQ(f.flowControl.SelectedText(), "CTS/RTS");
  EXPECT_EQ(f.interfaceEnabled, (std::array<bool, 4>{true, true, true, true}));

  f.ldn = "Till";
  ASSERT_TRUE(rules.Ok(box_));
  EXPECT_EQ(box_.shown, Texts{"Installed Success!"});
  const std::pair<const char*, const char*> kept[] = {{"Parity", "1"}, {"Stop", "2"}, {"BaudRate", "4800"},
                                                      {"HandShake", "CTS/RTS"}, {"BitLength", "8"},
                                                      {"Timeout", "0"}, {"Port", "COM1"}, {"LDN", "Till"}};
  for (const auto& v : kept) EXPECT_EQ(Text(kPrinter, name, v.first), v.second) << v.first;
  EXPECT_EQ(ClassValue(kPrinter, "Till"), name);
}

TEST_F(PortSettingsTest, ParallelAndEthernetEntriesOpenOnTheirInterface) {
  const std::string lpt = Install(), net = Install();
  Set(kPrinter, lpt, "Port", "LPT2");
  Set(kPrinter, net, "Port", "PRN");
  Set(kPrinter, net, "TcpIp", "192.168.0.10");
  ASSERT_TRUE(reg_.WriteNumber(DeviceKeyPath(kPrinter, net), "TcpPort", 9100));

  CPortSettingsRules parallel = OpenRules(lpt);
  EXPECT_EQ(parallel.Form().iface, PortInterface::kParallel);
  EXPECT_EQ(parallel.Form().port.texts, (Texts{"LPT1", "LPT2"}));
  EXPECT_EQ(parallel.Form().port.SelectedText(), "LPT2");
  EXPECT_FALSE(parallel.Form().SerialListsEnabled());

  CPortSettingsRules ethernet = OpenRules(net);
  PortForm& f = ethernet.Form();
  EXPECT_TRUE(f.Ethernet());
  EXPECT_EQ(f.ip, (std::array<int, 4>{192, 168, 0, 10}));
  EXPECT_EQ(f.tcpPort, "9100");
  EXPECT_STREQ(f.PortLabel(), "IP :");
  f.ip = {10, 0, 0, 7};
  f.tcpPort = "9101";
  ASSERT_TRUE(ethernet.Ok(box_));
  EXPECT_EQ(Text(kPrinter, net, "Port"), "Ethernet");
  EXPECT_EQ(Text(kPrinter, net, "TcpIp"), "10.0.0.7");
  EXPECT_EQ(Number(kPrinter, net, "TcpPort"), 9101);
  EXPECT_EQ(Text(kPrinter, net, "BaudRate"), "9600");  // serial values are written for every interface

  ethernet.ChooseInterface(PortInterface::kSerial, box_);
  ethernet.ChooseInterface(PortInterface::kEthernet, box_);
  EXPECT_EQ(f.inputBuf + "/" + f.outputBuf, "1024/10240");
}

TEST_F(PortSettingsTest, UsbListsAttachedPrintersOfTheModelAndSavesTheirPath) {
  const std::string name = Install();
  CPortSettingsRules none = OpenRules(name);
  none.ChooseInterface(PortInterface::kUsb, box_);
  EXPECT_EQ(box_.shown, Texts{"Not Connect USB Device and Power off!"});
  EXPECT_EQ(none.Form().iface, PortInterface::kSerial);
  EXPECT_EQ(none.Form().port.SelectedText(), "COM1");
  EXPECT_EQ(none.Form().inputBuf + "/" + none.Form().outputBuf, "4096/4096");

  CPortSettingsRules rules = OpenRules(name, false, TwoUsbPrinters());
  rules.ChooseInterface(PortInterface::kUsb, box_);
  EXPECT_EQ(rules.Form().port.texts, (Texts{"USB002:", "USB003:"}));
  rules.PickPort(1, box_);
  ASSERT_TRUE(rules.Ok(box_));
  EXPECT_EQ(Text(kPrinter, name, "Port"), "USB003:");
  EXPECT_EQ(Text(kPrinter, name, "UsbDeviceName"), "\\\\?\\USB#VID_FAB0&PID_2016#B#{28D78FAD}");
  EXPECT_EQ(Number(kPrinter, name, "UsbCount"), 2);
  EXPECT_EQ(Text(kPrinter, name, "Pid"), "2016");

  // Reopened with the printers found in another order, the stored path
  // picks the printer, not the old display name.
  UsbPrinterItems swapped = MakeUsbItems({"\\\\?\\USB#VID_FAB0&PID_2016#B#{28D78FAD}",
                                          "\\\\?\\USB#VID_FAB0&PID_2016#A#{28D78FAD}"});
  EXPECT_EQ(OpenRules(name, false, swapped).Form().port.SelectedText(), "USB001:");
}

TEST_F(PortSettingsTest, APortOfAnotherDeviceOfTheClassIsRefused) {
  const std::string first = Install(), second = Install();
  Set(kPrinter, first, "Port", "COM2");
  Set(DeviceClass::kLineDisplay, "QDX-200", "Port", "COM3");
  CPortSettingsRules rules = OpenRules(second);
  rules.PickPort(2, box_);  // COM3: a display's port is no conflict
  rules.PickPort(1, box_);
  EXPECT_EQ(box_.shown, Texts{"Failed : Other device used port : COM2"});
  EXPECT_EQ(rules.Form().port.SelectedText(), "COM3");

  // After a change of interface a refused pick returns to the new list.
  Set(kPrinter, first, "Port", "LPT2");
  rules.ChooseInterface(PortInterface::kParallel, box_);
  rules.PickPort(1, box_);
  EXPECT_EQ(rules.Form().port.SelectedText(), "LPT1");

  // USB picks compare device paths with devices now on USB only.
  const UsbPrinterItems usb = TwoUsbPrinters();
  Set(kPrinter, first, "UsbDeviceName", usb[1].devicePath);
  CPortSettingsRules onUsb = OpenRules(second, false, usb);
  onUsb.ChooseInterface(PortInterface::kUsb, box_);
  onUsb.PickPort(0, box_);
  EXPECT_EQ(box_.shown.size(), 2u);
  Set(kPrinter, first, "Port", "USB002:");
  onUsb.PickPort(1, box_);
  onUsb.PickPort(0, box_);
  EXPECT_EQ(box_.shown.back(), "Failed : Other device used port : USB002:");
  EXPECT_EQ(onUsb.Form().port.SelectedText(), "USB003:");
}

TEST_F(PortSettingsTest, SavingIsRefusedForAZeroOutputBufferAndAForeignLdn) {
  const std::string name = Install(), other = Install();
  ASSERT_TRUE(reg_.WriteString(device_rules::ClassKeyPath(kPrinter), "Front", other));
  CPortSettingsRules rules = OpenRules(name);
  rules.Form().outputBuf = "0";
  EXPECT_FALSE(rules.Ok(box_));
  rules.Form().outputBuf = "00";
  rules.Form().ldn = other;
  EXPECT_FALSE(rules.Ok(box_));
  rules.Form().ldn = "Front";
  EXPECT_FALSE(rules.Ok(box_));
  EXPECT_EQ(box_.shown, (Texts{"Output Buffer Value Error!", "Device will not be set to" + other,
                               "Device will not be set toFront"}));
  rules.Form().ldn = "Back";
  EXPECT_TRUE(rules.Ok(box_));
  EXPECT_EQ(Text(kPrinter, name, "OutputBuf"), "00");
}

TEST_F(PortSettingsTest, CancelRemovesANewEntryWithTheLdnSavedByCheckHealth) {
  const std::string name = Install(), kept = Install();
  ControlLog control;
  CPortSettingsRules rules = OpenRules(name, true);
  rules.Form().ldn = "Till";
  ASSERT_TRUE(rules.CheckHealth(box_, control));
  EXPECT_EQ(control.calls, (Calls{"Open " + name, "Claim 1000", "Enable", "P20 1", "CheckHealth 3", "Close"}));
  EXPECT_EQ(ClassValue(kPrinter, "Till"), name);
  rules.Cancel();
  EXPECT_FALSE(Exists(kPrinter, name));
  EXPECT_EQ(ClassValue(kPrinter, "Till"), "<none>");

  OpenRules(kept).Cancel();
  EXPECT_TRUE(Exists(kPrinter, kept));
}

TEST_F(PortSettingsTest, HealthCheckReportsAFailedOpenOrClaimAndStillChecksAndCloses) {
  const std::string name = Install();
  ControlLog printer;
  printer.openResult = 104;
  ASSERT_TRUE(OpenRules(name).CheckHealth(box_, printer));
  EXPECT_EQ(printer.calls, (Calls{"Open " + name, "CheckHealth 3", "Close"}));

  Set(DeviceClass::kLineDisplay, "QDX-200", "Port", "COM1");
  ControlLog display;
  display.claimResult = 111;
  CPortSettingsRules rules(reg_, DeviceClass::kLineDisplay, "QDX-200", false, {});
  ASSERT_TRUE(rules.Open(box_));
  ASSERT_TRUE(rules.CheckHealth(box_, display));
  EXPECT_EQ(display.calls, (Calls{"Open QDX-200", "Claim 1000", "CheckHealth 3", "Close"}));
  EXPECT_EQ(box_.shown, (Texts{"OPOSPrinter Open Error : no service", "LineDisplay Claim Error!"}));
}

TEST_F(PortSettingsTest, WithoutTheInstallationFolderTheDialogCloses) {
  ASSERT_TRUE(reg_.Delete(schema::kServiceInfoKey, schema::kInstalldir));
  CPortSettingsRules rules(reg_, kPrinter, "TavoPOS-R200", false, {});
  EXPECT_FALSE(rules.Open(box_));
  EXPECT_EQ(box_.shown, (Texts{"Failed to road registry!", "Error : Inf file information!"}));
}

TEST(PortValuesTest, AddressesAndNumbersFromStoredText) {
  EXPECT_EQ(ParseIpAddress("192.168.0"), (std::array<int, 4>{192, 168, 0, 0}));
  EXPECT_EQ(ParseIpAddress("1.300.x.4.5"), (std::array<int, 4>{1, 255, 0, 4}));
  EXPECT_EQ(FormatIpAddress({1, 2, 3, 4}), "1.2.3.4");
  EXPECT_EQ(DecimalValue("99999999999"), 2147483647);
  EXPECT_EQ(DecimalValue("12ab"), 12);
}

}  // namespace
