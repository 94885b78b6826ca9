// devsetup /export and /import against the registry stand-in (both views)
// and setup data files in a temporary folder: round trips of set-ups made
// through the dialogs' rules, the dialogs' refusals, /set, /replace, /view.
#include "setup/transfer/transfer_command.h"
#include "setup/transfer/transfer_summary.h"

#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#endif

#include <cstdio>
#include <map>

#include "common/device_entry.h"
#include "common/setup_export.h"
#include "common/trace.h"
#include "setup/dialogs/cash_drawer.h"
#include "setup/dialogs/port_settings.h"
#include "tests/setup/dialogs/dialog_fixture.h"

using namespace devsetup;
using namespace dialog_test;
using platform::RegView;

namespace {

const DeviceClass kPrinter = DeviceClass::kPOSPrinter;
const DeviceClass kDrawer = DeviceClass::kCashDrawer;
const char kRoot[] = "Software\\OLEforRetail";
// The view devsetup of this build imports into first, and the other one.
const RegView kMain = DefaultViews(TransferAction::kImport).front();
const RegView kOther = kMain == RegView::k64 ? RegView::k32 : RegView::k64;
const char* const kMainArg = kMain == RegView::k64 ? "64" : "32";
const char* const kOtherArg = kMain == RegView::k64 ? "32" : "64";
const bool kBothViews = DefaultViews(TransferAction::kImport).size() == 2;

class Capture : public ITransferOutput {
 public:
  void Out(const std::string& line) override { out.push_back(line); }
  void Err(const std::string& line) override { err.push_back(line); }
  std::string Errors() const {
    std::string all;
    for (const std::string& line : err) all += line + "\n";
    return all;
  }
  std::vector<std::string> out, err;
};

// Every key and value below a path, in one text, for comparing trees.
void Dump(const CRegistryAccess& reg, const std::string& path, std::string* text) {
  *text += "[" + path + "]\n";
  for (const RegistryValue& v : reg.ListValues(path)) {
    *text += v.name + "=" + std::to_string(v.type) + ":" + v.bytes + "\n";
  }
  for (const std::string& child : reg.ListSubKeys(path)) Dump(reg, path + "\\" + child, text);
}

class TransferTest : public DialogTest {
 protected:
  void SetUp() override {
    DialogTest::SetUp();
    // The x64 package writes "Installdir" into both views.
    for (RegView view : {kOther, kMain}) {
      platform::SetRegistryView(view);
      ASSERT_TRUE(reg_.WriteString(schema::kServiceInfoKey, schema::kInstalldir, folder_.Path()));
    }
    // Two models of their own model codes.
    std::string models = kPosPrnInf;
    models.replace(models.rfind("MODELCODE=1"), 11, "MODELCODE=2");
    folder_.Write(setup_data::kPosPrnInf, models);
  }
  void TearDown() override { platform::SetRegistryView(platform::NativeRegistryView()); }

  int Run(std::vector<std::string> args) {
    TransferCommand command;
    std::string error;
    if (!ParseTransferCommand(args, &command, &error)) {
      ADD_FAILURE() << error;
      return -1;
    }
    capture_ = Capture();
    return RunTransfer(command, capture_);
  }
  std::string Tree(RegView view = kMain) {
    platform::SetRegistryView(view);
    std::string text;
    Dump(reg_, kRoot, &text);
    platform::SetRegistryView(kMain);
    return text;
  }
  // A printer on the network with an LDN, one on COM2, and a drawer, all
  // made through the wizard's and the dialogs' own rules.
  void SetUpThroughTheDialogs() {
    std::string net, serial;
    ASSERT_TRUE(device_entry::InstallDevice(reg_, kPrinter, folder_.Path(), "TavoPOS-R200", &net));
    ASSERT_TRUE(device_entry::InstallDevice(reg_, kPrinter, folder_.Path(), "TavoPOS-R300", &serial));
    CPortSettingsRules netRules(reg_, kPrinter, net, true, {});
    ASSERT_TRUE(netRules.Open(box_));
    netRules.ChooseInterface(PortInterface::kEthernet, box_);
    netRules.Form().ip = {192, 168, 1, 40};
    netRules.Form().tcpPort = "9100";
    netRules.Form().ldn = "ReceiptPrinter";
    ASSERT_TRUE(netRules.Ok(box_));
    CPortSettingsRules serialRules(reg_, kPrinter, serial, true, {});
    ASSERT_TRUE(serialRules.Open(box_));
    serialRules.PickPort(1, box_);
    ASSERT_TRUE(serialRules.Ok(box_));
    CCashDrawerRules drawer = CCashDrawerRules::ForNewDrawer(reg_, net);
    drawer.Form().settings.ldn = "Drawer1";
    drawer.Form().settings.pulseOnTime = "200";
    ASSERT_TRUE(drawer.Ok(box_));
    // Another maker's device under the same class key.
    Set(kPrinter, "OtherMaker", "", "Other.POSPrinter");
    Set(kPrinter, "OtherMaker", "Port", "COM3");
  }
  std::string Export() {
    EXPECT_EQ(Run({"/export", folder_.File("till.ini"), "/view", kMainArg}), kExitDone) << capture_.Errors();
    return folder_.Read("till.ini");
  }
  void FreshTill() {
    platform::test_support::ResetRegistry();
    for (RegView view : {kOther, kMain}) {
      platform::SetRegistryView(view);
      ASSERT_TRUE(reg_.WriteString(schema::kServiceInfoKey, schema::kInstalldir, folder_.Path()));
    }
  }
  std::string ImportText(const std::string& text, std::vector<std::string> more = {}) {
    folder_.Write("in.ini", text);
    std::vector<std::string> args = {"/import", folder_.File("in.ini")};
    args.insert(args.end(), more.begin(), more.end());
    const int code = Run(args);
    return std::to_string(code) + "\n" + capture_.Errors();
  }

  Capture capture_;
};

TEST_F(TransferTest, ASetUpFromTheDialogsComesBackValueForValueInBothViews) {
  SetUpThroughTheDialogs();
  const std::string before = Tree();
  const std::string file = Export();
  EXPECT_EQ(file.find("OtherMaker"), std::string::npos) << "other makers' devices are not exported";
  EXPECT_NE(file.find("TcpIp=sz:192.168.1.40"), std::string::npos);
  EXPECT_NE(file.find("COMRange=3"), std::string::npos);
  EXPECT_EQ(file.find("LPTMRange"), std::string::npos) << "keys setup.inf lacks stay out";

  FreshTill();
  folder_.Write(setup_data::kSetupInf, "[Description]\r\nVersion=1.9.3\r\nCOMRange=4\r\n");
  Set(kPrinter, "OtherMaker", "", "Other.POSPrinter");
  Set(kPrinter, "OtherMaker", "Port", "COM3");
  folder_.Write("till.ini", file);
  ASSERT_EQ(Run({"/import", folder_.File("till.ini")}), kExitDone) << capture_.Errors();
  EXPECT_EQ(Tree(kMain), before);
  if (!kBothViews) return;
  // The other view had no other maker's device; otherwise it is the same.
  std::string without = before;
  const size_t at = without.find("[Software\\OLEforRetail\\ServiceOPOS\\POSPrinter\\OtherMaker]");
  without.erase(at, without.find("[", at + 1) - at);
  std::string tree32 = Tree(kOther);
  EXPECT_EQ(tree32.find("OtherMaker"), std::string::npos);
  EXPECT_EQ(tree32.substr(tree32.find("[Software\\OLEforRetail\\ServiceOPOS]")),
            without.substr(without.find("[Software\\OLEforRetail\\ServiceOPOS]")));
  EXPECT_EQ(setup_data::ReadComRange(folder_.Path()), 3);

  // Importing the same file again changes nothing.
  ASSERT_EQ(Run({"/import", folder_.File("till.ini")}), kExitDone);
  EXPECT_EQ(Tree(kMain), before);
}

// Damaged port counts are exported as the port range dialog shows them, so
// the file imports (on this till or another).
TEST_F(TransferTest, DamagedPortCountsExportAsTheDialogShowsThem) {
  folder_.Write(setup_data::kSetupInf,
                "[Description]\r\nVersion=1.9.3\r\nCOMRange=0\r\nLPTRange=two\r\nLPTMRange=99\r\n");
  const std::string file = Export();
  EXPECT_NE(file.find("COMRange=1\r\n"), std::string::npos) << file;
  EXPECT_NE(file.find("LPTRange=1\r\n"), std::string::npos) << file;
  EXPECT_NE(file.find("LPTMRange=10\r\n"), std::string::npos) << file;
  folder_.Write("till.ini", file);
  EXPECT_EQ(Run({"/import", folder_.File("till.ini")}), kExitDone) << capture_.Errors();
}

TEST_F(TransferTest, RefusedFilesWriteNothingAndSayWhy) {
  SetUpThroughTheDialogs();
  const std::string file = Export();
  const std::string before = Tree(kMain) + Tree(kOther);
  const std::string setupInf = folder_.Read(setup_data::kSetupInf);
  auto edited = [&](const std::string& from, const std::string& to) {
    std::string text = file;
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
  };
  const std::pair<std::string, const char*> cases[] = {
      {edited("Port=sz:COM2", "Port=sz:Ethernet"), "Port: \"Ethernet\": the model offers no Ethernet interface (Porttype 1)"},
      {edited("Port=sz:COM2", "Port=sz:COM3"), "Port: Failed : Other device used port : COM3 ([POSPrinter\\OtherMaker])"},
      {edited("Port=sz:COM2", "Port=sz:COM9"), "Port: \"COM9\" is not a serial port of this till (COM1 to COM3)"},
      {edited("COMRange=3", "COMRange=51"), "[Ports] COMRange: 51 is outside 1 to 50"},
      {edited("COMRange=3", "COMRange=1"), "Port: \"COM2\" is not a serial port of this till (COM1 to COM1)"},
      {edited("POSPrinter=sz:TavoPOS-R200", "POSPrinter=sz:Gone"), "POSPrinter: \"Gone\" is no printer"},
      {edited("OutputBuf=sz:10240", "OutputBuf=sz:0"), "OutputBuf: \"0\": Output Buffer Value Error!"},
      {edited("Model=dword:1", "Model=sz:1"), "Model: must be a number (dword)"},
      {edited("TcpIp=sz:192.168.1.40", "TcpIp=sz:192.168.1.400"), "TcpIp: \"192.168.1.400\" is not an address"},
      {edited("ConnectorPinNo=sz:1", "ConnectorPinNo=sz:5"), "ConnectorPinNo: \"5\" is not \"0\" or \"1\""},
      {edited("[End]", ""), "the file ends without its [End] line"},
  };
  int index = 0;
  for (const auto& c : cases) {
    SCOPED_TRACE(index++);
    const std::string result = ImportText(c.first);
    EXPECT_EQ(result.substr(0, 2), "2\n") << result;
    if (*c.second) {
      EXPECT_NE(result.find(c.second), std::string::npos) << result;
    }
    EXPECT_NE(result.find("nothing was written"), std::string::npos);
    EXPECT_EQ(Tree(kMain) + Tree(kOther), before);
    EXPECT_EQ(folder_.Read(setup_data::kSetupInf), setupInf);
  }
}

TEST_F(TransferTest, LdnsFollowTheDialogsRules) {
  SetUpThroughTheDialogs();
  Export();
  const std::string file = folder_.File("till.ini");
  const std::string before = Tree();
  EXPECT_EQ(Run({"/import", file, "/set", "POSPrinter\\TavoPOS-R300:LDN=receiptprinter"}), kExitRefused);
  EXPECT_NE(capture_.Errors().find(
                "[POSPrinter\\TavoPOS-R300] LDN: Device will not be set toreceiptprinter ([POSPrinter\\TavoPOS-R200] has that LDN)"),
            std::string::npos)
      << capture_.Errors();
  EXPECT_EQ(Run({"/import", file, "/set", "POSPrinter\\TavoPOS-R300:LDN=TavoPOS-R200"}), kExitRefused);
  EXPECT_NE(capture_.Errors().find("(it is the name of [POSPrinter\\TavoPOS-R200])"), std::string::npos);
  EXPECT_EQ(Tree(), before);
  // A device's own name, another class's LDN and an LDN moved between two
  // devices of one file are allowed.
  EXPECT_EQ(Run({"/import", file, "/set", "POSPrinter\\TavoPOS-R200:LDN=TavoPOS-R200"}), kExitDone);
  EXPECT_EQ(Run({"/import", file, "/set", "CashDrawer\\CashDrawer:LDN=ReceiptPrinter"}), kExitDone);
  EXPECT_EQ(ClassValue(kDrawer, "ReceiptPrinter"), "CashDrawer");
  EXPECT_EQ(ClassValue(kDrawer, "Drawer1"), "<none>");
  ASSERT_EQ(Run({"/import", file, "/set", "POSPrinter\\TavoPOS-R200:LDN=", "/set",
                 "POSPrinter\\TavoPOS-R300:LDN=ReceiptPrinter"}),
            kExitDone)
      << capture_.Errors();
  EXPECT_EQ(ClassValue(kPrinter, "ReceiptPrinter"), "TavoPOS-R300");
  EXPECT_EQ(ClassValue(kPrinter, "TavoPOS-R200"), "<none>");
  EXPECT_EQ(Text(kPrinter, "TavoPOS-R200", "LDN"), "");
  EXPECT_EQ(ClassValue(kDrawer, "Drawer1"), "CashDrawer");
  EXPECT_EQ(ClassValue(kDrawer, "ReceiptPrinter"), "<none>");
}

TEST_F(TransferTest, SetGivesEachTillItsOwnValuesAndReplaceDropsTheRest) {
  SetUpThroughTheDialogs();
  const std::string file = Export();
  FreshTill();
  Set(kPrinter, "OtherMaker", "", "Other.POSPrinter");
  Set(kPrinter, "TavoPOS-Old", "comp", "Corvane");
  folder_.Write("till.ini", file);
  ASSERT_EQ(Run({"/import", folder_.File("till.ini"), "/replace", "/set", "POSPrinter\\TavoPOS-R200:TcpIp=10.1.2.3",
                 "/set", "posprinter\\TavoPOS-R200:TcpPort=9101", "/set", "CashDrawer\\CashDrawer:PulseOnTime=300"}),
            kExitDone)
      << capture_.Errors();
  EXPECT_EQ(Text(kPrinter, "TavoPOS-R200", "TcpIp"), "10.1.2.3");
  EXPECT_EQ(Number(kPrinter, "TavoPOS-R200", "TcpPort"), 9101);
  EXPECT_EQ(Text(kDrawer, "CashDrawer", "PulseOnTime"), "300");
  EXPECT_FALSE(Exists(kPrinter, "TavoPOS-Old")) << "/replace removes the package's devices the file lacks";
  EXPECT_TRUE(Exists(kPrinter, "OtherMaker")) << "and leaves other makers' devices";
  EXPECT_EQ(Text(kPrinter, "TavoPOS-R200", "inf"), folder_.Path() + "\\TavoPOS-R200.inf");

  const std::string before = Tree(kMain);
  const std::pair<const char*, const char*> refused[] = {
      {"POSPrinter\\NoSuch:TcpIp=1.2.3.4", "the file holds no such device"},
      {"POSPrinter\\TavoPOS-R200:TcpPort=http", "\"http\" is not a number"},
      {"POSPrinter\\TavoPOS-R200:TcpIp=1.2.3", "TcpIp: \"1.2.3\" is not an address"},
      {"Printer\\TavoPOS-R200:TcpIp=1.2.3.4", "the class is POSPrinter"},
      {"POSPrinter\\TavoPOS-R200=1", "not of the form"},
  };
  for (const auto& r : refused) {
    EXPECT_EQ(Run({"/import", folder_.File("till.ini"), "/set", r.first}), kExitRefused) << r.first;
    EXPECT_NE(capture_.Errors().find(r.second), std::string::npos) << capture_.Errors();
  }
  EXPECT_EQ(Tree(kMain), before);
}

// Windows gives the command line in the code page; UTF-8 is taken as well.
TEST_F(TransferTest, SetTakesCodePageTextAndUtf8) {
  SetUpThroughTheDialogs();
  folder_.Write("till.ini", Export());
  ASSERT_EQ(Run({"/import", folder_.File("till.ini"), "/set", "POSPrinter\\TavoPOS-R200:DeviceDesc=Kasse S\xFC" "d 50%"}),
            kExitDone)
      << capture_.Errors();
  EXPECT_EQ(Text(kPrinter, "TavoPOS-R200", "DeviceDesc"), "Kasse S\xFC" "d 50%");
  ASSERT_EQ(Run({"/import", folder_.File("till.ini"), "/set", "POSPrinter\\TavoPOS-R200:DeviceDesc=Caf\xC3\xA9"}),
            kExitDone)
      << capture_.Errors();
  EXPECT_EQ(Text(kPrinter, "TavoPOS-R200", "DeviceDesc"), "Caf\xE9");
}

// The export reads its file back as a new till's import would and names
// every entry that import refuses; the file is still written.
TEST_F(TransferTest, ExportNamesEntriesANewTillWouldRefuse) {
  SetUpThroughTheDialogs();
  std::string serial;
  for (const std::string& name : setup_export::PackageDevices(reg_, kPrinter)) {
    if (Text(kPrinter, name, "Port") == "COM2") serial = name;
  }
  ASSERT_FALSE(serial.empty());
  Set(kPrinter, serial, "DeviceName", "NoSuchModel");
  // A drawer on the other maker's printer: that printer is not exported.
  CCashDrawerRules drawer = CCashDrawerRules::ForNewDrawer(reg_, "OtherMaker");
  drawer.Form().settings.ldn = "Drawer2";
  ASSERT_TRUE(drawer.Ok(box_));

  EXPECT_EQ(Run({"/export", folder_.File("till.ini"), "/view", kMainArg}), kExitFailed);
  const std::string errors = capture_.Errors();
  EXPECT_NE(errors.find("[POSPrinter\\" + serial + "] DeviceName: Error : Inf file information! (\"NoSuchModel\""),
            std::string::npos) << errors;
  EXPECT_NE(errors.find("POSPrinter: \"OtherMaker\" is no printer of the file"), std::string::npos) << errors;
  EXPECT_EQ(errors.find("TavoPOS-R200]"), std::string::npos) << "sound entries are not named: " << errors;
  EXPECT_NE(errors.find("a new till's import refuses it"), std::string::npos);
  ASSERT_EQ(capture_.out.size(), 1u);  // the file is written all the same
  const std::string file = folder_.Read("till.ini");
  EXPECT_NE(file.find("NoSuchModel"), std::string::npos);
  CTransferLines lines;
  lines.err = capture_.err;
  EXPECT_NE(TransferSummary(kExitFailed, lines).find("NoSuchModel"), std::string::npos);

  // Mended, the export is clean again.
  Set(kPrinter, serial, "DeviceName", "TavoPOS-R300");
  for (const std::string& name : setup_export::PackageDevices(reg_, kDrawer)) {
    if (Text(kDrawer, name, "POSPrinter") == "OtherMaker") Set(kDrawer, name, "POSPrinter", serial);
  }
  EXPECT_EQ(Run({"/export", folder_.File("till.ini"), "/view", kMainArg}), kExitDone) << capture_.Errors();
}

TEST_F(TransferTest, TheTraceHookGetsEveryLineAndTheExitCode) {
  std::vector<std::string> traced;
  SetTraceSink([&](const std::string& line) { traced.push_back(line); });
  folder_.Write("bad.ini", "[DeviceSetup]\r\nFormat=1\r\n[Printers]\r\n[End]\r\n");
  EXPECT_EQ(Run({"/import", folder_.File("bad.ini")}), kExitRefused);
  SetTraceSink(nullptr);
  ASSERT_EQ(traced.size(), 3u);
  EXPECT_NE(traced[0].find("Error import: "), std::string::npos);
  EXPECT_NE(traced[0].find("line 3: unknown section [Printers]"), std::string::npos);
  EXPECT_EQ(traced[2], "End import = 2");
}

TEST_F(TransferTest, ViewsCommandLinesAndFailures) {
  SetUpThroughTheDialogs();
  const std::string file = Export();
  FreshTill();
  folder_.Write("till.ini", file);
  ASSERT_EQ(Run({"/import", folder_.File("till.ini"), "/view", kOtherArg}), kExitDone) << capture_.Errors();
  EXPECT_TRUE(Tree(kOther).find("TavoPOS-R200") != std::string::npos);
  EXPECT_TRUE(Tree(kMain).find("TavoPOS-R200") == std::string::npos);

  // Where the import goes to both views, a view without the package
  // installed refuses the whole import.
  if (kBothViews) {
    FreshTill();
    platform::SetRegistryView(kOther);
    reg_.Delete(schema::kServiceInfoKey, nullptr);
    platform::SetRegistryView(kMain);
    EXPECT_EQ(Run({"/import", folder_.File("till.ini")}), kExitRefused);
    EXPECT_NE(capture_.Errors().find("32-bit registry view: the package's \"Installdir\" can't be read"),
              std::string::npos)
        << capture_.Errors();
    EXPECT_EQ(Tree(kMain).find("TavoPOS-R200"), std::string::npos);
  }

  EXPECT_EQ(Run({"/import", folder_.File("missing.ini")}), kExitFailed);
  EXPECT_EQ(Run({"/export", folder_.File("no-such-folder/x.ini")}), kExitFailed);

  TransferCommand command;
  std::string error;
  for (const std::vector<std::string>& bad :
       {std::vector<std::string>{"/import"}, {"/export", "a", "/replace"}, {"/view", "64"}, {"/import", "a", "/view", "16"},
        {"/frobnicate"}, {"/import", "a", "/export", "b"}}) {
    EXPECT_FALSE(ParseTransferCommand(bad, &command, &error)) << bad[0];
  }
  ASSERT_TRUE(ParseTransferCommand({}, &command, &error));
  EXPECT_EQ(command.action, TransferAction::kWindow);
  ASSERT_TRUE(ParseTransferCommand({"-IMPORT", "a"}, &command, &error));
  EXPECT_EQ(command.views, DefaultViews(TransferAction::kImport));
}

#ifdef _WIN32
// One view that can't take the class keys (a volatile parent takes no
// lasting key below it): the import fails before the other view is written.
TEST_F(TransferTest, AViewThatCantBeWrittenLeavesTheOtherAsItWas) {
  if (!kBothViews) return;
  SetUpThroughTheDialogs();
  const std::string file = Export();
  FreshTill();
  folder_.Write("till.ini", file);
  char path[128];
  std::snprintf(path, sizeof path, "Software\\Tavo Test\\%lu\\32\\Software\\OLEforRetail\\ServiceOPOS",
                static_cast<unsigned long>(GetCurrentProcessId()));
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path, 0, nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, &key,
                            nullptr),
            ERROR_SUCCESS);
  RegCloseKey(key);
  platform::SetRegistryView(kOther);
  ASSERT_FALSE(reg_.WriteString(schema::kPOSPrinterKey, "probe", ""));
  platform::SetRegistryView(kMain);

  EXPECT_EQ(Run({"/import", folder_.File("till.ini")}), kExitFailed);
  EXPECT_NE(capture_.Errors().find("32-bit registry view: the registry key"), std::string::npos) << capture_.Errors();
  EXPECT_EQ(Tree(kMain).find("TavoPOS-R200"), std::string::npos) << Tree(kMain);
}
#endif

}  // namespace

namespace {

TEST(TransferSummaryTest, RefusalsListTheirProblemsAndLongListsAreCut) {
  CTransferLines lines;
  lines.out = {"exported 2 devices"};
  EXPECT_EQ(TransferSummary(kExitDone, lines), "exported 2 devices\r\n");
  for (int i = 0; i < 20; ++i) lines.err.push_back("line " + std::to_string(i + 1) + ": problem");
  const std::string refused = TransferSummary(kExitRefused, lines);
  EXPECT_EQ(refused.find("The file was refused; nothing was written."), 0u);
  EXPECT_NE(refused.find("line 15: problem\r\n... and 5 more lines"), std::string::npos);
  EXPECT_EQ(refused.find("line 16:"), std::string::npos);
  EXPECT_EQ(TransferSummary(kExitFailed, lines).find("The file was refused"), std::string::npos);
}

}  // namespace
