// Port names, line settings and option values as SetDeviceOption takes them.
#include "portmgr/core/link_config.h"

#include <gtest/gtest.h>

#include <string>

#include "portmgr/portmgr.h"

using namespace portmgr;

namespace {

PortSettings Serial(const char* name) {
  PortSettings s{};
  s.portName = name;
  s.baudRate = 9600;
  s.dataBits = 8;
  s.stopBits = 0;
  s.parity = 0;
  const int32_t options[5] = {2, 0, 50, 10, 1000};
  for (int i = 0; i < 5; ++i) s.option[i] = options[i];
  s.inputBuffer = 1024;
  s.outputBuffer = 10240;
  return s;
}

LinkConfig Parse(const PortSettings& s, bool expectOk = true, const std::string& fallback = "") {
  LinkConfig c;
  EXPECT_EQ(ParseSettings(s, fallback, &c), expectOk) << (s.portName ? s.portName : "(null)");
  return c;
}

}  // namespace

TEST(LinkConfig, NumberedPortNames) {
  EXPECT_EQ(ParseNumberedPort("COM1", "COM"), 1);
  EXPECT_EQ(ParseNumberedPort("com12", "COM"), 12);
  EXPECT_EQ(ParseNumberedPort("LPT256", "LPT"), 256);
  for (const char* bad : {"COM", "COM0", "COM257", "COM1a", "COM1234", "XCOM1", "COM-1", ""}) {
    EXPECT_EQ(ParseNumberedPort(bad, "COM"), 0) << bad;
  }
}

TEST(LinkConfig, Ipv4Addresses) {
  for (const char* ok : {"127.0.0.1", "0.0.0.0", "192.168.0.10", "255.255.255.255"}) EXPECT_TRUE(IsIPv4(ok)) << ok;
  for (const char* bad : {"", "1.2.3", "1.2.3.4.5", "256.1.1.1", "1..2.3", "1.2.3.", ".1.2.3", "a.b.c.d",
                          "1.2.3.4 ", "1234.1.1.1", "Ethernet"}) {
    EXPECT_FALSE(IsIPv4(bad)) << bad;
  }
}

TEST(LinkConfig, SerialPortTakesLineSettingsAndOptions) {
  LinkConfig c = Parse(Serial("COM3"));
  EXPECT_EQ(c.kind, LinkKind::Serial);
  EXPECT_EQ(c.number, 3);
  EXPECT_EQ(c.path, SerialPath(3));
  EXPECT_EQ(c.baudRate, 9600);
  EXPECT_EQ(c.flow, PORTMGR_FLOW_RTSCTS);
  EXPECT_EQ(c.replyGapMs, 50);
  EXPECT_EQ(c.WritePerByteMs(), 10);
  EXPECT_EQ(c.WriteConstantMs(), 1000);
  EXPECT_EQ(c.inputBuffer, 1024);
}

TEST(LinkConfig, SerialValuesOutOfRangeAreRefused) {
  auto refuse = [](void (*change)(PortSettings&)) {
    PortSettings s = Serial("COM1");
    change(s);
    Parse(s, false);
  };
  refuse([](PortSettings& s) { s.parity = 3; });
  refuse([](PortSettings& s) { s.parity = -1; });
  refuse([](PortSettings& s) { s.stopBits = 3; });
  refuse([](PortSettings& s) { s.dataBits = 9; });
  refuse([](PortSettings& s) { s.dataBits = 4; });
  refuse([](PortSettings& s) { s.baudRate = 0; });
  refuse([](PortSettings& s) { s.option[0] = 4; });
  refuse([](PortSettings& s) { s.option[2] = -1; });
  refuse([](PortSettings& s) { s.option[4] = -5; });
}

TEST(LinkConfig, ParallelAndDevicePathsIgnoreLineSettings) {
  PortSettings s{};
  s.portName = "LPT1";
  s.option[0] = 1;
  s.option[4] = 3000;
  LinkConfig c = Parse(s);
  EXPECT_EQ(c.kind, LinkKind::Parallel);
  EXPECT_EQ(c.path, ParallelPath(1));

  s.portName = "\\\\?\\usb#vid_0000&pid_0001#1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
  c = Parse(s);
  EXPECT_EQ(c.kind, LinkKind::Device);
  EXPECT_EQ(c.path, s.portName);
  EXPECT_EQ(c.baudRate, 9600);  // a tty behind a device path gets 9600 8N1
}

TEST(LinkConfig, TcpPortZeroMeans9100) {
  PortSettings s{};
  s.portName = "127.0.0.1";
  LinkConfig c = Parse(s);
  EXPECT_EQ(c.kind, LinkKind::Tcp);
  EXPECT_EQ(c.tcpPort, PORTMGR_TCP_DEFAULT_PORT);
  s.baudRate = 4242;
  EXPECT_EQ(Parse(s).tcpPort, 4242);
  s.baudRate = 65536;
  Parse(s, false);
  s.baudRate = -1;
  Parse(s, false);
}

TEST(LinkConfig, UnsetAndBroadcastAddressesAreNoPrinter) {
  PortSettings s{};
  s.portName = "0.0.0.0";
  Parse(s, false);
  s.portName = "255.255.255.255";
  Parse(s, false);
}

TEST(LinkConfig, DefaultsWhenOptionsAreZero) {
  PortSettings s{};
  s.portName = "192.168.0.10";
  LinkConfig c = Parse(s);
  EXPECT_EQ(c.WritePerByteMs(), 1);
  EXPECT_EQ(c.WriteConstantMs(), 3000);
  EXPECT_EQ(c.ConnectLimitMs(), 3000);
  EXPECT_EQ(c.inputBuffer, 4096);
  s.inputBuffer = -7;
  s.outputBuffer = 1 << 30;
  c = Parse(s);
  EXPECT_EQ(c.inputBuffer, 4096);
  EXPECT_EQ(c.outputBuffer, 1 << 20);
}

TEST(LinkConfig, NameFallsBackToTheCreatedNameAndIsBounded) {
  PortSettings s = Serial(nullptr);
  EXPECT_EQ(Parse(s, true, "COM2").kind, LinkKind::Serial);
  s.portName = "";
  EXPECT_EQ(Parse(s, true, "NUL").kind, LinkKind::Null);
  Parse(s, false, "");  // no name at all
  const std::string tooLong(5000, 'x');
  s.portName = tooLong.c_str();
  Parse(s, false, "COM1");  // an over-long name is refused, not replaced
  s.portName = nullptr;
  Parse(s, false, tooLong);
}
