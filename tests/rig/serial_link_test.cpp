// The same library over a serial line: the virtual printer's
// pseudo-terminal, reached by its path natively and as a COM port under
// Wine. The terminal is one long-lived link, so each test first turns
// status back off and drops what an earlier test left in the line.
#include <gtest/gtest.h>

#include <chrono>

#include "tests/rig/rig_fixture.h"

namespace rig {
namespace {

// Replies and status blocks are read in slices of tens of milliseconds; a
// line that takes near a second to hand them over fails this bound.
constexpr long kPromptMs = 700;

class SerialLink : public LinkFixture {
 protected:
  PortSettings Settings() override { return SerialSettings(Printer()->serialName.c_str(), 9600); }

  void SetUp() override {
    ASSERT_NE(Printer(), nullptr) << PrinterProblem();
    ASSERT_NE(Printer()->serialName, "") << "no serial port was handed over";
    LinkFixture::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_EQ(port->Write(Bytes({0x1D, 0x61, 0x00})), 3);
    port->DrainStatuses();
    lib->Clear(port->Handle());
  }
};

}  // namespace

TEST_F(SerialLink, BytesWrittenArrive) {
  CommandLog log;
  const std::string job = Bytes({0x1B, 0x40}) + "Serial line\n";
  ASSERT_EQ(port->Write(job), int32_t(job.size()));
  ASSERT_TRUE(log.WaitFor([](const LoggedCommand& c) { return c.text == "Serial line"; }, 3000));
  for (const LoggedCommand& c : log.Since()) {
    if (c.text == "Serial line") {
      EXPECT_EQ(c.src, "pty");
    }
  }
  EXPECT_EQ(port->Power(), PORTMGR_POWER_ONLINE);
}

TEST_F(SerialLink, RealTimeStatusRequestIsAnswered) {
  const auto start = std::chrono::steady_clock::now();
  ASSERT_EQ(port->Write(Bytes({0x10, 0x04, 0x03})), 3);
  const auto written = std::chrono::steady_clock::now();
  EXPECT_EQ(Hex(port->Read(8, 2000)), "12");
  const auto read = std::chrono::steady_clock::now();
  using ms = std::chrono::milliseconds;
  // The output path waits for this byte after every job.
  EXPECT_LT(std::chrono::duration_cast<ms>(read - start).count(), kPromptMs)
      << "write " << std::chrono::duration_cast<ms>(written - start).count() << " ms, reply "
      << std::chrono::duration_cast<ms>(read - written).count() << " ms";
  ASSERT_FALSE(ControlOk("error cutter").empty());
  ASSERT_EQ(port->Write(Bytes({0x10, 0x04, 0x03})), 3);
  EXPECT_EQ(Hex(port->Read(8, 2000)), "1a") << "auto-cutter error bit";
}

TEST_F(SerialLink, StatusChangeComesBack) {
  const uint8_t drawer = EnableStatusBack()[0] & 0x04;
  ASSERT_FALSE(ControlOk("cover open").empty());
  ASSERT_FALSE(ControlOk("cover close").empty());
  ASSERT_FALSE(ControlOk("paper near-end").empty());
  const auto start = std::chrono::steady_clock::now();
  const std::vector<Status4> want = {
      {uint8_t(0x38 | drawer), 0, 0, 0}, {uint8_t(0x10 | drawer), 0, 0, 0}, {uint8_t(0x10 | drawer), 0, 0x03, 0}};
  EXPECT_EQ(port->Statuses(want.size(), 5000), want);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_LT(std::chrono::duration_cast<std::chrono::milliseconds>(took).count(), kPromptMs)
      << "the monitor polls every 80 ms";
}

}  // namespace rig
