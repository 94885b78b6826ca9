// A serial printer behind a pseudo-terminal: the library opens the tty end
// with termios, the test plays the printer on the other end.
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <string>

#include "../api_helpers.h"
#include "../fake_transport.h"

using namespace portmgr_test;

namespace {

class TtyPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    path = ptsname(master);
    handle = CreatePort("Printer1", path.c_str(), 1);
    ASSERT_NE(handle, 0);
  }
  void TearDown() override {
    DeletePort(1, handle);
    if (master >= 0) close(master);
  }
  PortSettings Line(int32_t baud) {
    PortSettings s = SettingsFor(path.c_str(), baud);
    s.option[0] = 2;  // the serial defaults the Service Object passes
    s.option[2] = 50;
    s.option[3] = 10;
    s.option[4] = 1000;
    return s;
  }
  std::string FromLibrary(size_t n) {
    std::string got;
    while (got.size() < n) {
      pollfd p{master, POLLIN, 0};
      if (poll(&p, 1, 2000) != 1) break;
      char buf[256];
      const ssize_t r = read(master, buf, sizeof buf);
      if (r <= 0) break;
      got.append(buf, size_t(r));
    }
    return got;
  }

  int master = -1;
  std::string path;
  int32_t handle = 0;
};

}  // namespace

TEST_F(TtyPortTest, BytesPassBothWaysUnchanged) {
  ASSERT_EQ(SetDeviceOption(Line(9600), handle), 1);
  ASSERT_EQ(OpenPort(handle), 1);
  EXPECT_EQ(IsPowerState(handle), PORTMGR_POWER_ONLINE);
  // Raw mode: no CR/LF translation, no flow characters eaten.
  const std::string bytes = Bytes({0x1b, 0x40, 0x0a, 0x0d, 0x11, 0x13, 0x00, 0xff, 0x1d, 0x61, 0x0f});
  EXPECT_EQ(WriteText(bytes, handle), int32_t(bytes.size()));
  EXPECT_EQ(FromLibrary(bytes.size()), bytes);

  const std::string answer = Bytes({0x14, 0x00, 0x00, 0x00, 0x12});
  ASSERT_EQ(write(master, answer.data(), answer.size()), ssize_t(answer.size()));
  EXPECT_EQ(ReadText(handle, 2000), Bytes({0x12}));
  unsigned char s[4] = {};
  EXPECT_TRUE(Eventually([&] { return GetASBState(s, handle) != 0; }, 2000));
  EXPECT_EQ(s[0], 0x14);
}

TEST_F(TtyPortTest, UnknownBaudRateFailsToOpen) {
  ASSERT_EQ(SetDeviceOption(Line(12345), handle), 1);
  EXPECT_EQ(OpenPort(handle), 0);
}

TEST_F(TtyPortTest, HangUpIsOffLine) {
  ASSERT_EQ(SetDeviceOption(Line(19200), handle), 1);
  ASSERT_EQ(OpenPort(handle), 1);
  close(master);
  master = -1;
  EXPECT_TRUE(Eventually([&] { return IsPowerState(handle) == PORTMGR_POWER_OFFLINE; }, 3000));
  EXPECT_EQ(WriteText("x", handle), 0);
}
