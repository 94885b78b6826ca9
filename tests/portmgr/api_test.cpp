// The exported entry points: bad arguments, the null port, a file device.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "api_helpers.h"

using namespace portmgr_test;

TEST(PortApi, EveryEntryPointRefusesAWrongHandle) {
  char buf[8] = {};
  unsigned char status[4] = {};
  for (int32_t h : {0, -1, 9999, 0x7FFFFFFF}) {
    EXPECT_EQ(DeletePort(1, h), 0);
    EXPECT_EQ(SetDeviceOption(SettingsFor("NUL"), h), 0);
    EXPECT_EQ(OpenPort(h), 0);
    EXPECT_EQ(ClosePort(h), 0);
    EXPECT_EQ(Write("abc", 3, h), 0);
    EXPECT_EQ(Read(buf, 8, 0, h), 0);
    EXPECT_EQ(Clear(h), 0);
    EXPECT_EQ(GetASBState(status, h), 0);
    EXPECT_EQ(IsPowerState(h), 0);
    EXPECT_EQ(GetInputBufferCount(h), 0);
  }
  EXPECT_EQ(CreatePort("dev", nullptr, 1), 0);
  EXPECT_EQ(CreatePort("dev", "", 1), 0);
  EXPECT_EQ(CreatePort("dev", "NUL", 0), 0);
  EXPECT_EQ(CreatePort(nullptr, "NUL", -5), 0);
}

TEST(PortApi, NullPortTakesWritesAndReportsPower) {
  const int32_t h = CreatePort("Printer1", "NUL", 1);
  ASSERT_NE(h, 0);
  EXPECT_EQ(OpenPort(h), 0);  // no settings yet
  EXPECT_EQ(IsPowerState(h), PORTMGR_POWER_OFFLINE);
  ASSERT_EQ(SetDeviceOption(SettingsFor(nullptr), h), 1);  // name from CreatePort
  ASSERT_EQ(OpenPort(h), 1);
  EXPECT_EQ(IsPowerState(h), PORTMGR_POWER_ONLINE);
  EXPECT_EQ(WriteText("\x1d\x61\x0f", h), 3);
  EXPECT_EQ(ReadText(h, 20), "");
  unsigned char status[4] = {};
  EXPECT_EQ(GetASBState(status, h), 0);
  EXPECT_EQ(Clear(h), 1);
  EXPECT_EQ(ClosePort(h), 1);
  EXPECT_EQ(IsPowerState(h), PORTMGR_POWER_OFFLINE);
  EXPECT_EQ(WriteText("x", h), 0);
  EXPECT_EQ(DeletePort(1, h), 1);
  EXPECT_EQ(IsPowerState(h), 0);
}

TEST(PortApi, BadPointersAndLengthsOnAnOpenPortGiveZero) {
  const int32_t h = CreatePort("Printer1", "NUL", 1);
  ASSERT_EQ(SetDeviceOption(SettingsFor("NUL"), h), 1);
  ASSERT_EQ(OpenPort(h), 1);
  char buf[4];
  EXPECT_EQ(Write(nullptr, 10, h), 0);
  EXPECT_EQ(Write("abc", -3, h), 0);
  EXPECT_EQ(Write("abc", 0, h), 0);
  EXPECT_EQ(Read(nullptr, 4, 0, h), 0);
  EXPECT_EQ(Read(buf, -4, 0, h), 0);
  EXPECT_EQ(Read(buf, 4, -100, h), 0);
  EXPECT_EQ(GetASBState(nullptr, h), 0);
  EXPECT_EQ(SetDeviceOption(SettingsFor("NUL"), h), 0);  // not while open
  DeletePort(1, h);
}

TEST(PortApi, PrinterAndDrawerShareOneHandle) {
  const int32_t printer = CreatePort("Printer1", "NUL", 1);
  const int32_t drawer = CreatePort("Drawer1", "NUL", 2);
  ASSERT_NE(printer, 0);
  EXPECT_EQ(drawer, printer);
  ASSERT_EQ(SetDeviceOption(SettingsFor("NUL"), drawer), 1);
  ASSERT_EQ(OpenPort(drawer), 1);
  EXPECT_EQ(DeletePort(1, drawer), 1);  // the drawer still has it
  EXPECT_EQ(WriteText("\x1bp\x01\x48\x32", drawer), 5);
  EXPECT_EQ(DeletePort(2, drawer), 1);
  EXPECT_EQ(WriteText("x", drawer), 0);
}

TEST(PortApi, BadSettingsAreRefused) {
  const int32_t h = CreatePort("Printer1", "COM1", 1);
  PortSettings s = SettingsFor("COM1", 9600);
  s.parity = 5;
  EXPECT_EQ(SetDeviceOption(s, h), 0);
  s.parity = 0;
  s.dataBits = 0;
  EXPECT_EQ(SetDeviceOption(s, h), 0);
  EXPECT_EQ(OpenPort(h), 0);
  DeletePort(1, h);
}

TEST(PortApi, MissingDeviceFailsToOpen) {
  const std::string path = (std::filesystem::temp_directory_path() / "portmgr-no-such-device").string();
  const int32_t h = CreatePort("Printer1", path.c_str(), 1);
  ASSERT_EQ(SetDeviceOption(SettingsFor(path.c_str()), h), 1);
  EXPECT_EQ(OpenPort(h), 0);
  EXPECT_FALSE(std::filesystem::exists(path));  // never created
  DeletePort(1, h);
}

TEST(PortApi, PlainFileDeviceCollectsTheData) {
  const std::filesystem::path file = std::filesystem::temp_directory_path() / "portmgr-capture.bin";
  { std::ofstream(file, std::ios::binary) << "head:"; }
  const std::string path = file.string();
  const int32_t h = CreatePort("Printer1", path.c_str(), 1);
  ASSERT_EQ(SetDeviceOption(SettingsFor(path.c_str()), h), 1);
  ASSERT_EQ(OpenPort(h), 1);
  const std::string big(20000, 'z');
  EXPECT_EQ(WriteText("\x1b@", h), 2);
  EXPECT_EQ(WriteText(big, h), int32_t(big.size()));
  EXPECT_EQ(ReadText(h, 50), "");  // a file never answers
  ClosePort(h);
  DeletePort(1, h);
  std::ifstream in(file, std::ios::binary);
  const std::string content((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  EXPECT_EQ(content, "head:\x1b@" + big);
  in.close();
  std::filesystem::remove(file);
}
