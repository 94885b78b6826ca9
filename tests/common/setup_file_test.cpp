// The device set-up file: what is written reads back value for value, and
// damaged files are refused with a line that says where and why.
#include "common/setup_file.h"

#include <gtest/gtest.h>

#include "platform/registry.h"

using device_rules::DeviceClass;

namespace {

std::string Head() { return "[DeviceSetup]\r\nFormat=1\r\n"; }

std::vector<std::string> Refusal(const std::string& text) {
  setup_file::SetupFile file;
  std::vector<std::string> problems;
  EXPECT_FALSE(setup_file::Parse(text, &file, &problems)) << text;
  return problems;
}

TEST(SetupFileTest, EveryKindOfValueReadsBackAsStored) {
  setup_file::SetupFile file;
  file.ports = {{"COMRange", 8, 0}, {"LPTRange", 3, 0}};
  setup_file::Device printer;
  printer.name = "Till printer]%";
  const RegistryValue values[] = {
      TextValue("", "Tavo.POSPrinter.ServiceObject.1.9"),
      TextValue("inf", "C:\\Program Files\\Tavo OPOS\\TavoPOS-R200.inf"),
      TextValue("Note", " two\r\nlines, 100% \tblank "),
      TextValue("a=b", "caf\xE9"),  // code page text, '=' in a name
      TextValue("@", ""),
      TextValue(";starts like a comment", "[x]"),
      NumberValue("TcpPort", 9100),
      NumberValue("Model", -1),
      RegistryValue{"Odd sz", platform::kRegSz, std::string("no terminator")},
      RegistryValue{"Inner NUL", platform::kRegSz, std::string("a\0b\0", 4)},
      RegistryValue{"Short dword", platform::kRegDword, std::string("\x01\x02", 2)},
      RegistryValue{"Multi", platform::kRegMultiSz, std::string("a\0b\0\0", 5)},
      RegistryValue{"Path", platform::kRegExpandSz, std::string("%SystemRoot%\\x\0", 15)},
      RegistryValue{"Empty", 3, ""},
  };
  for (const RegistryValue& v : values) printer.values.push_back({v, 0});
  file.devices.push_back(printer);
  setup_file::Device drawer;
  drawer.deviceClass = DeviceClass::kCashDrawer;
  drawer.name = "CashDrawer";
  drawer.values.push_back({TextValue("POSPrinter", "Till printer]%"), 0});
  file.devices.push_back(drawer);

  std::string text;
  std::vector<std::string> problems;
  ASSERT_TRUE(setup_file::Write(file, &text, &problems));
  EXPECT_NE(text.find("\r\nTcpPort=dword:9100\r\n"), std::string::npos);
  EXPECT_NE(text.find("inf=sz:C:\\Program Files\\Tavo OPOS\\TavoPOS-R200.inf\r\n"), std::string::npos);
  EXPECT_NE(text.find("caf\xC3\xA9"), std::string::npos) << "text is written as UTF-8";

  setup_file::SetupFile back;
  ASSERT_TRUE(setup_file::Parse(text, &back, &problems)) << (problems.empty() ? "" : problems[0]);
  ASSERT_EQ(back.ports.size(), 2u);
  EXPECT_EQ(back.ports[0].key, "COMRange");
  EXPECT_EQ(back.ports[0].count, 8);
  ASSERT_EQ(back.devices.size(), 2u);
  EXPECT_EQ(back.devices[0].name, printer.name);
  ASSERT_EQ(back.devices[0].values.size(), printer.values.size());
  for (size_t i = 0; i < printer.values.size(); ++i) {
    const RegistryValue& want = printer.values[i].value;
    const RegistryValue& got = back.devices[0].values[i].value;
    EXPECT_EQ(got.name, want.name) << i;
    EXPECT_EQ(got.type, want.type) << want.name;
    EXPECT_EQ(got.bytes, want.bytes) << want.name;
  }
  EXPECT_EQ(back.devices[1].deviceClass, DeviceClass::kCashDrawer);
}

TEST(SetupFileTest, AHandWrittenFileIsReadWithItsLooseSpelling) {
  setup_file::SetupFile file;
  std::vector<std::string> problems;
  const std::string text =
      "\xEF\xBB\xBF; written by hand\n\n[devicesetup]\nformat = 1\n[ports]\ncomrange=6\n"
      "[posprinter\\ TavoPOS-R200 ]\n  Port = sz:COM2  \nTcpPort=DWORD:9100\n# comment\n[End]\n";
  ASSERT_TRUE(setup_file::Parse(text, &file, &problems)) << problems[0];
  ASSERT_EQ(file.devices.size(), 1u);
  EXPECT_EQ(file.devices[0].name, "TavoPOS-R200");
  EXPECT_EQ(file.devices[0].values[0].value.bytes, std::string("COM2\0", 5));
  EXPECT_EQ(file.devices[0].values[0].line, 8);
  EXPECT_EQ(file.ports[0].key, "COMRange");
}

TEST(SetupFileTest, DamagedFilesAreRefusedNamingTheLine) {
  const std::string device = "[POSPrinter\\P]\r\n";
  const char kNul[] = "Port=sz:COM1\0x\r\n[End]\r\n";
  const std::pair<std::string, const char*> cases[] = {
      {"", "the file is empty"},
      {"Port=sz:COM1\r\n", "line 1: not a device set-up file"},
      {"[POSPrinter\\P]\r\n", "line 1: not a device set-up file"},
      {"[DeviceSetup]\r\n[End]\r\n", "line 2: [DeviceSetup] has no Format"},
      {"[DeviceSetup]\r\nFormat=2\r\n[End]\r\n", "format 2, written by a later devsetup"},
      {Head() + device + "Port=sz:COM1\r\n", "line 4: the file ends without its [End] line"},
      {Head() + device + "Port=sz:COM1\r\n[End]\r\nPort=sz:COM2\r\n", "line 6: text after [End]"},
      {Head() + "[Printers]\r\nx=sz:1\r\n[End]\r\n", "line 3: unknown section [Printers]"},
      {Head() + "[Ports]\r\nCOMRange=four\r\n[End]\r\n", "line 4: [Ports] COMRange: \"four\" is not a decimal"},
      {Head() + "[Ports]\r\nIRQ=4\r\n[End]\r\n", "line 4: [Ports] IRQ: unknown key"},
      {Head() + device + "[posprinter\\p]\r\n[End]\r\n", "line 4: [POSPrinter\\p] appears twice"},
      {Head() + device + "Port=sz:A\r\nPORT=sz:B\r\n[End]\r\n", "line 5: [POSPrinter\\P] PORT: given twice"},
      {Head() + device + "TcpPort=dword:-1\r\n[End]\r\n", "line 4: [POSPrinter\\P] TcpPort: \"-1\" is not a number"},
      {Head() + device + "TcpPort=dword:4294967296\r\n[End]\r\n", "is not a number from 0 to 4294967295"},
      {Head() + device + "Port=COM1\r\n[End]\r\n", "line 4: [POSPrinter\\P] Port: \"COM1\" has no TYPE:"},
      {Head() + device + "Port=text:COM1\r\n[End]\r\n", "unknown type \"text\""},
      {Head() + device + "Blob=hex(3):0g\r\n[End]\r\n", "\"0g\" is not a byte"},
      {Head() + device + "Port=sz:50%\r\n[End]\r\n", "a '%' is not followed by two hexadecimal digits"},
      {Head() + device + "Port=sz:a%00b\r\n[End]\r\n", "a text can't hold NUL"},
      {Head() + device + "Port=sz:\xE4\xB8\xAD\r\n[End]\r\n", "holds a character this Windows code page lacks"},
      {Head() + "[POSPrinter\\[x]\r\n[End]\r\n", "device name: a device name is 1 to 255 characters"},
      {Head() + "[POSPrinter\\]\r\n[End]\r\n", "device name"},
      {Head() + device + "just words\r\n[End]\r\n", "line 4: \"just words\" is neither"},
      {Head() + "[Ports\r\n", "line 3: a section line must end with ']'"},
      {Head() + device + std::string(kNul, sizeof kNul - 1), "line 4: the file is not UTF-8 text"},
      {Head() + device + "Port=sz:\xC3(\r\n[End]\r\n", "line 4: the file is not UTF-8 text"},
      {std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), "the file is not UTF-8 text"},
  };
  for (const auto& c : cases) {
    const std::vector<std::string> problems = Refusal(c.first);
    ASSERT_FALSE(problems.empty()) << c.first;
    EXPECT_NE(problems[0].find(c.second), std::string::npos) << "got: " << problems[0] << "\nwant: " << c.second;
  }
}

TEST(SetupFileTest, HugeAndNoisyFilesStopEarly) {
  std::string many = Head();
  for (int i = 0; i < 10000; ++i) many += "[POSPrinter\\P" + std::to_string(i) + "]\r\nPort=sz:COM1\r\n";
  many += "[End]\r\n";
  std::vector<std::string> problems = Refusal(many);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_NE(problems[0].find("more than 1000 devices"), std::string::npos);

  std::string noisy = Head() + "[POSPrinter\\P]\r\n";
  for (int i = 0; i < 5000; ++i) noisy += "v" + std::to_string(i) + "=bad\r\n";
  problems = Refusal(noisy);
  EXPECT_LE(problems.size(), 100u) << "problems are capped";

  problems = Refusal(std::string(setup_file::kMaxFileBytes + 1, ' '));
  EXPECT_NE(problems[0].find("larger than"), std::string::npos);
}

}  // namespace
