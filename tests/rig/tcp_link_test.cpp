// The port-manager library bound at run time, talking to the virtual
// printer over TCP: data, automatic status back, real-time status replies,
// a dropped connection and the power state.
#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <thread>

#include "tests/rig/rig_fixture.h"

namespace rig {
namespace {

class TcpLink : public LinkFixture {
 protected:
  PortSettings Settings() override { return NetworkSettings("127.0.0.1", Printer()->dataPort); }
};

// The power values seen after `before`, polling about every millisecond,
// until two changes were seen or ms passed. The library waits at least
// 100 ms before it reconnects, so a dip is seen.
std::vector<int32_t> PowerChanges(RigPort& port, int32_t before, int ms) {
  std::vector<int32_t> seen{before};
  const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  while (std::chrono::steady_clock::now() < until) {
    const int32_t p = port.Power();
    if (p != seen.back()) seen.push_back(p);
    if (seen.size() >= 3) break;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return seen;
}

}  // namespace

TEST(TcpLibrary, BindsAllElevenEntryPointsByName) {
  PortLibrary* lib = SharedLibrary();
  ASSERT_NE(lib, nullptr) << "cannot load " << RIG_PORTMGR_LIBRARY;
  EXPECT_TRUE(lib->Missing().empty());
  PortLibrary missing;
  EXPECT_FALSE(missing.Load("no-such-portmgr-library"));
  EXPECT_FALSE(missing.Loaded());
}

TEST_F(TcpLink, BytesWrittenArriveInOrder) {
  CommandLog log;
  const std::string job = Bytes({0x1B, 0x40}) + "Rig line one\n" + "Rig line two\n";
  ASSERT_EQ(port->Write(job), int32_t(job.size()));
  ASSERT_TRUE(log.WaitFor([](const LoggedCommand& c) { return c.text == "Rig line two"; }, 3000));
  const std::vector<LoggedCommand> got = log.Since();
  ASSERT_GE(got.size(), 4u);
  EXPECT_EQ(got[0].cmd, "init");
  EXPECT_EQ(got[1].text, "Rig line one");
  EXPECT_EQ(got[2].cmd, "line-feed");
  EXPECT_EQ(got[3].text, "Rig line two");
  EXPECT_EQ(got[1].src, got[3].src);  // one connection
  EXPECT_NE(ControlOk("text").find("Rig line two"), std::string::npos);
}

TEST_F(TcpLink, ALargeWriteArrivesWhole) {
  const long before = StateNumber("bytes");
  std::string job;
  while (job.size() < 64000) job += "0123456789 abcdefghijklmnopqrstuvwxyz ABCDEFGHIJKLMNOPQRSTUVWXYZ\n";
  ASSERT_EQ(port->Write(job), int32_t(job.size()));
  EXPECT_TRUE(Eventually([&] { return StateNumber("bytes") - before == long(job.size()); }, 120000))
      << "the printer counted " << StateNumber("bytes") - before << " of " << job.size();
}

TEST_F(TcpLink, EnablingAutomaticStatusBackGivesTheCurrentStatus) {
  CommandLog log;
  const Status4 first = EnableStatusBack();
  EXPECT_EQ(first[0] & 0xFB, 0x10) << "on line, cover shut, no feed button";
  EXPECT_EQ(first[1], 0);
  EXPECT_EQ(first[2], 0);
  EXPECT_EQ(first[3], 0);
  const auto statusBackOn = [](const LoggedCommand& c) {
    return c.cmd == "asb-enable" && c.args == std::vector<long>{15};
  };
  EXPECT_TRUE(log.WaitFor(statusBackOn, 2000));
  Status4 more;
  EXPECT_FALSE(port->NextStatus(&more, 300)) << "no change, no block";
}

TEST_F(TcpLink, StatusChangesComeBackInOrder) {
  const uint8_t drawer = EnableStatusBack()[0] & 0x04;
  const uint8_t on = 0x10 | drawer, off = on | 0x08;
  const char* const changes[] = {"cover open",  "cover close", "paper near-end", "paper empty",
                                 "paper ok",    "offline",     "online"};
  for (const char* line : changes) ASSERT_FALSE(ControlOk(line).empty()) << line;
  const std::vector<Status4> want = {
      {uint8_t(off | 0x20), 0, 0, 0},  // cover open takes the printer off line
      {on, 0, 0, 0},
      {on, 0, 0x03, 0},                // paper near end
      {off, 0, 0x0F, 0},               // paper end: near end and end bits, off line
      {on, 0, 0, 0},
      {off, 0, 0, 0},
      {on, 0, 0, 0},
  };
  EXPECT_EQ(port->Statuses(want.size(), 5000), want);
  Status4 more;
  EXPECT_FALSE(port->NextStatus(&more, 300));
}

TEST_F(TcpLink, ErrorsComeBackInTheSecondByte) {
  const uint8_t drawer = EnableStatusBack()[0] & 0x04;
  const uint8_t off = 0x18 | drawer;
  ASSERT_FALSE(ControlOk("error cutter").empty());
  ASSERT_FALSE(ControlOk("error clear").empty());
  ASSERT_FALSE(ControlOk("error unrecoverable").empty());
  ASSERT_FALSE(ControlOk("error clear").empty());
  const std::vector<Status4> want = {
      {off, 0x08, 0, 0}, {uint8_t(0x10 | drawer), 0, 0, 0}, {off, 0x20, 0, 0}, {uint8_t(0x10 | drawer), 0, 0, 0}};
  EXPECT_EQ(port->Statuses(want.size(), 5000), want);
}

TEST_F(TcpLink, InkBlocksComeBackBesideStatusBlocks) {
  const uint8_t drawer = EnableStatusBack()[0] & 0x04;
  ASSERT_EQ(port->Write(Bytes({0x1D, 0x6A, 0xFF})), 3);  // GS j 255, as the monitor sends for colour printers
  Status4 s;
  ASSERT_TRUE(port->NextStatus(&s, 3000));
  EXPECT_EQ(s, (Status4{0x35, 0, 0, 0}));
  ASSERT_FALSE(ControlOk("ink 1 near-end").empty());
  ASSERT_FALSE(ControlOk("cover open").empty());
  ASSERT_FALSE(ControlOk("ink 2 empty").empty());
  const std::vector<Status4> want = {
      {0x35, 0x01, 0, 0}, {uint8_t(0x38 | drawer), 0, 0, 0}, {0x35, 0x01, 0x02, 0}};
  EXPECT_EQ(port->Statuses(want.size(), 5000), want);
}

TEST_F(TcpLink, RealTimeStatusRequestIsAnsweredThroughRead) {
  lib->Clear(port->Handle());
  ASSERT_EQ(port->Write(Bytes({0x10, 0x04, 0x03})), 3);
  EXPECT_EQ(Hex(port->Read(8, 2000)), "12") << "no error";
  ASSERT_FALSE(ControlOk("error mechanical").empty());
  ASSERT_EQ(port->Write(Bytes({0x10, 0x04, 0x03})), 3);
  EXPECT_EQ(Hex(port->Read(8, 2000)), "16") << "mechanical error bit";
  ASSERT_FALSE(ControlOk("error clear").empty());
  EXPECT_EQ(port->Read(8, 200), "") << "one byte per request";
}

TEST_F(TcpLink, RepliesAndStatusBlocksAreKeptApart) {
  const uint8_t drawer = EnableStatusBack()[0] & 0x04;
  lib->Clear(port->Handle());
  ASSERT_FALSE(ControlOk("cover open").empty());
  ASSERT_EQ(port->Write(Bytes({0x10, 0x04, 0x02})), 3);
  EXPECT_EQ(Hex(port->Read(8, 2000)), "16") << "cover open bit of the off-line cause";
  Status4 s;
  ASSERT_TRUE(port->NextStatus(&s, 2000));
  EXPECT_EQ(s, (Status4{uint8_t(0x38 | drawer), 0, 0, 0}));
  EXPECT_FALSE(port->NextStatus(&s, 200)) << "the reply byte is no status block";
}

TEST_F(TcpLink, ClearDropsUnreadRepliesOnly) {
  const Status4 first = EnableStatusBack();
  ASSERT_EQ(port->Write(Bytes({0x10, 0x04, 0x01})), 3);
  ASSERT_FALSE(ControlOk("paper near-end").empty());
  Status4 s;
  ASSERT_TRUE(Eventually([&] { return lib->GetInputBufferCount(port->Handle()) > 0; }, 2000));
  lib->Clear(port->Handle());
  EXPECT_EQ(port->Read(8, 200), "");
  ASSERT_TRUE(port->NextStatus(&s, 2000));
  EXPECT_EQ(s, (Status4{first[0], 0, 0x03, 0}));
}

TEST_F(TcpLink, PowerFollowsTheLinkNotThePanel) {
  EXPECT_EQ(port->Power(), PORTMGR_POWER_ONLINE);
  const uint8_t drawer = EnableStatusBack()[0] & 0x04;
  ASSERT_FALSE(ControlOk("offline").empty());
  Status4 s;
  ASSERT_TRUE(port->NextStatus(&s, 2000));
  EXPECT_EQ(s, (Status4{uint8_t(0x18 | drawer), 0, 0, 0})) << "off line shows in the status";
  EXPECT_EQ(port->Power(), PORTMGR_POWER_ONLINE) << "the link is still up";
  ASSERT_EQ(port->Write(Bytes({0x10, 0x04, 0x01})), 3);
  EXPECT_EQ(port->Read(1, 2000)[0] & 0x08, 0x08);
}

TEST_F(TcpLink, DroppedConnectionIsReopenedAndPowerDipsMeanwhile) {
  CommandLog log;
  ASSERT_EQ(port->Write("before the drop\n"), 16);
  ASSERT_TRUE(log.WaitFor([](const LoggedCommand& c) { return c.text == "before the drop"; }, 3000));
  EnableStatusBack();
  const int32_t before = port->Power();
  ASSERT_EQ(ControlOk("drop").rfind("dropped ", 0), 0u);
  const std::vector<int32_t> power = PowerChanges(*port, before, 8000);
  EXPECT_EQ(power, (std::vector<int32_t>{PORTMGR_POWER_ONLINE, PORTMGR_POWER_OFFLINE, PORTMGR_POWER_ONLINE}));

  // A new connection starts with status back off, as a power-cycled
  // printer does: the monitor's re-enable brings the blocks back.
  ASSERT_EQ(port->Write(Bytes({0x1D, 0x61, 0x0F})), 3);
  Status4 s;
  EXPECT_TRUE(port->NextStatus(&s, 3000));
  ASSERT_EQ(port->Write("after the drop\n"), 15);
  ASSERT_TRUE(log.WaitFor([](const LoggedCommand& c) { return c.text == "after the drop"; }, 3000));
  std::string sourceBefore, sourceAfter;
  for (const LoggedCommand& c : log.Since()) {
    if (c.text == "before the drop") sourceBefore = c.src;
    if (c.text == "after the drop") sourceAfter = c.src;
  }
  EXPECT_NE(sourceBefore, sourceAfter) << "the second line came over a new connection";
}

TEST_F(TcpLink, ClosedPortIsOffLineAndTakesNoData) {
  const int32_t handle = port->Handle();
  lib->ClosePort(handle);
  EXPECT_EQ(lib->IsPowerState(handle), PORTMGR_POWER_OFFLINE);
  EXPECT_EQ(lib->Write("x", 1, handle), 0);
  ASSERT_NE(lib->OpenPort(handle), 0) << "the settings stay for a re-open";
  EXPECT_EQ(lib->IsPowerState(handle), PORTMGR_POWER_ONLINE);
}

}  // namespace rig
