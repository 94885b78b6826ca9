// Status replies, automatic status back, ink status, the drawer and data
// held while off line.
#include <gtest/gtest.h>

#include "tests/tools/vprinter/rig.h"

namespace vprinter::test {
namespace {

TEST(RealtimeStatus, RepliesFollowTheDevice) {
  Rig r;
  EXPECT_EQ(r.send(hex("100401 100402 100403 100404")), hex("16 12 12 12"));  // drawer closed: sense high
  r.printer.device().coverOpen = true;
  r.printer.device().paper = Paper::Empty;
  r.printer.device().cutterError = true;
  EXPECT_EQ(r.send(hex("100401 100402 100403 100404")), hex("1E 76 1A 7E"));
  EXPECT_EQ(r.send(hex("100405")), "");  // no such request
}

TEST(RealtimeStatus, NearEndPaperAndTheErrorKinds) {
  Rig r;
  Device& d = r.printer.device();
  d.paper = Paper::NearEnd;
  d.mechanicalError = true;
  d.unrecoverableError = true;
  EXPECT_EQ(r.send(hex("100404 100403")), hex("1E 36"));
}

TEST(AutomaticStatus, BlockOnEnableThenOnEveryEnabledChange) {
  Rig r;
  EXPECT_EQ(r.send(hex("1D610F000000")), hex("14000000"));
  EXPECT_EQ(r.changed(), "");  // nothing changed
  r.printer.device().coverOpen = true;
  EXPECT_EQ(r.changed(), hex("3C000000"));  // cover open, off line
  r.printer.device().coverOpen = false;
  r.printer.device().paper = Paper::NearEnd;
  EXPECT_EQ(r.changed(), hex("14000300"));
  r.printer.device().paper = Paper::Empty;
  EXPECT_EQ(r.changed(), hex("1C000F00"));
  r.printer.device().paper = Paper::Ok;
  r.printer.device().cutterError = true;
  EXPECT_EQ(r.changed(), hex("1C080000"));
}

TEST(AutomaticStatus, OnlyEnabledItemsTriggerABlock) {
  Rig r;
  EXPECT_EQ(r.send(hex("1D6108")), hex("14000000"));  // paper sensor only
  r.printer.device().cutterError = true;
  EXPECT_EQ(r.changed(), "");
  r.printer.device().paper = Paper::NearEnd;
  EXPECT_EQ(r.changed(), hex("1C080300"));  // the block carries every bit
  EXPECT_EQ(r.send(hex("1D6100")), "");
  r.printer.device().paper = Paper::Ok;
  EXPECT_EQ(r.changed(), "");
}

TEST(AutomaticStatus, InkBlocksStartWith35AndEndWith00) {
  Rig r;
  EXPECT_EQ(r.send(hex("1D610F1D6AFF")), hex("14000000 35000000"));
  r.printer.device().ink[0] = Ink::NearEnd;
  EXPECT_EQ(r.changed(), hex("35010000"));
  r.printer.device().ink[1] = Ink::Empty;
  EXPECT_EQ(r.changed(), hex("35010200"));
  r.printer.device().ink[0] = Ink::Removed;
  r.printer.device().ink[1] = Ink::Removed;
  EXPECT_EQ(r.changed(), hex("350C0000"));
  r.printer.device().ink[0] = Ink::Cleaning;
  r.printer.device().ink[1] = Ink::Ok;
  EXPECT_EQ(r.changed(), hex("35200000"));
}

TEST(Drawer, KickOpensUntilTheTimerCloses) {
  Rig r;
  r.printer.device().setDrawerCloseAfter(std::chrono::milliseconds(500));
  r.send(hex("1D6101"));
  EXPECT_EQ(r.send(hex("1B70014832")), hex("10000000"));  // open: sense line low
  EXPECT_TRUE(r.printer.device().drawerOpen());
  r.printer.tick(Clock::now() + std::chrono::milliseconds(100));
  EXPECT_TRUE(r.printer.device().drawerOpen());
  r.printer.tick(Clock::now() + std::chrono::milliseconds(600));
  EXPECT_FALSE(r.printer.device().drawerOpen());
  EXPECT_EQ(r.host.outbox, hex("14000000"));
}

TEST(Drawer, SenseLevelCanBeHighWhenOpenAndTimerCanBeOff) {
  Rig r;
  r.printer.device().setDrawerOpenHigh(true);
  r.printer.device().setDrawerCloseAfter(std::chrono::milliseconds(0));
  EXPECT_EQ(r.send(hex("1D6101")), hex("10000000"));
  EXPECT_EQ(r.send(hex("10140100 05")), hex("14000000"));
  r.printer.tick(Clock::now() + std::chrono::hours(1));
  EXPECT_TRUE(r.printer.device().drawerOpen());
}

TEST(OffLine, PrintDataWaitsAndStatusRequestsStillAnswer) {
  Rig r;
  r.printer.device().offlineSwitch = true;
  EXPECT_EQ(r.send("held text\n" + hex("100401")), hex("1E"));
  EXPECT_EQ(r.printer.held(), 2u);
  EXPECT_EQ(r.printer.receipts().text(), "");
  r.printer.device().offlineSwitch = false;
  r.changed();
  EXPECT_EQ(r.printer.held(), 0u);
  EXPECT_EQ(r.printer.receipts().text(), "held text\n");
}

TEST(StatusRequests, PaperAndDrawerReplies) {
  Rig r;
  // GS r 1, GS r 49 (paper), GS r 2 (drawer pin 3, high while closed), ESC v, GS r 4 (none).
  EXPECT_EQ(r.send(hex("1D7201 1D7231 1D7202 1B76 1D7204")), hex("00 00 01 00"));
  r.printer.device().paper = Paper::NearEnd;
  EXPECT_EQ(r.send(hex("1D7201 1B76")), hex("03 03"));
  // Off line the request waits in turn with the print data.
  r.printer.device().paper = Paper::Empty;
  EXPECT_EQ(r.send("x\n" + hex("1D7201")), "");
  r.printer.device().paper = Paper::NearEnd;
  EXPECT_EQ(r.changed(), hex("03"));
}

TEST(StatusRequests, PrinterIdAnswersAsTheModel) {
  Rig r;
  std::string text = std::string("_TavoPOS-R300\0_TAVO\0_1.00\0_VP0000001\0", 37);
  EXPECT_EQ(r.send(hex("1D4901 1D4932 1D4903 1D4943 1D4942 1D4941 1D4944 1D4945")), hex("21 02 10") + text);
  PrinterOptions opts{scratchDir(), 576, "tavopos-r500"};
  Printer printer(opts);
  Session host("r500");
  printer.attach(&host);
  printer.receive(host, hex("1D4931 1D4943"));
  EXPECT_EQ(host.outbox, hex("22") + std::string("_TavoPOS-R500\0", 14));
  // A request held for a connection that is gone is dropped.
  printer.device().offlineSwitch = true;
  printer.receive(host, hex("1D4901"));
  printer.detach(&host);
  printer.device().offlineSwitch = false;
  printer.statusChanged();
  EXPECT_EQ(printer.held(), 0u);
}

TEST(OffLine, DeselectedPrinterIgnoresData) {
  Rig r;
  r.send(hex("1B3D00") + "lost\n" + hex("1B3D01") + "kept\n");
  EXPECT_EQ(r.printer.receipts().text(), "kept\n");
}

}  // namespace
}  // namespace vprinter::test

namespace vprinter::test {
namespace {

std::string Counter(Rig& r, int number) {
  return r.send(hex("1D673200") + std::string{char(number & 0xFF), char(number >> 8)});
}
std::string Reply(const std::string& digits) { return "_" + digits + std::string(1, '\0'); }

TEST(MaintenanceCounters, FeedsCutsAndHeadLinesCountAndResetAsPrintersDo) {
  Rig r;
  EXPECT_EQ(Counter(r, 50), Reply("0"));
  // Three lines, two of them printed, four more fed, two cuts (one feeding).
  r.send("one\ntwo\n\n" + hex("1B6404 1D5600 1D564100"));
  EXPECT_EQ(Counter(r, 20), Reply("7"));
  EXPECT_EQ(Counter(r, 21), Reply("2"));
  EXPECT_EQ(Counter(r, 50), Reply("2"));
  EXPECT_EQ(Counter(r, 178), Reply("2"));
  EXPECT_EQ(Counter(r, 70), Reply("0"));  // hours
  // GS g 0 resets the resettable counter only, and answers nothing.
  EXPECT_EQ(r.send(hex("1D67300032 00")), "");
  EXPECT_EQ(Counter(r, 50), Reply("0"));
  EXPECT_EQ(Counter(r, 178), Reply("2"));
  EXPECT_EQ(r.send(hex("1D673000B200")), "");  // cumulative: not reset
  EXPECT_EQ(Counter(r, 178), Reply("2"));
  r.send(hex("1D5601"));
  EXPECT_EQ(Counter(r, 50), Reply("1"));
  EXPECT_EQ(Counter(r, 99), "");  // no such counter
  // A cut ignored in page mode is no cutter operation.
  r.send(hex("1B4C 1D5600 0C"));
  EXPECT_EQ(Counter(r, 50), Reply("1"));
}

TEST(MaintenanceCounters, HoursCountFromStartAndFromTheirReset) {
  using namespace std::chrono;
  const MaintenanceCounters::Clock::time_point t0{};
  MaintenanceCounters m(t0);
  EXPECT_EQ(m.value(70, t0 + minutes(179)), 2);
  EXPECT_TRUE(m.reset(70, t0 + hours(3)));
  EXPECT_EQ(m.transmit(70, t0 + hours(4)), Reply("1"));
  EXPECT_EQ(m.transmit(198, t0 + hours(4)), Reply("4"));
  EXPECT_FALSE(m.reset(198, t0));
}

}  // namespace
}  // namespace vprinter::test
