// Reliability drills: a thousand sense changes reach the application in
// order, and a drawer sharing its printer's port stays sound while the
// printer works through hundreds of jobs and every kind of stoppage.
#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "common/opos.h"
#include "drawer_fixture.h"
#include "tests/support/pictures/picture_bytes.h"

using namespace drawer_test;
using namespace opos;

namespace {

// Generous: the drills must hold under TSan on a loaded two-core machine.
constexpr int kBoundMs = 60000;

std::vector<int> DrawerEvents(const printer_test::FakeControlObject& co) {
  std::vector<int> out;
  for (const std::string& e : co.Events()) {
    if (e == "StatusUpdate 0") out.push_back(0);
    if (e == "StatusUpdate 1") out.push_back(1);
  }
  return out;
}

size_t Occurrences(const std::string& text, const std::string& word) {
  size_t n = 0;
  for (size_t at = text.find(word); at != std::string::npos; at = text.find(word, at + 1)) ++n;
  return n;
}

// The monitor thread reports each change; the application sees every one,
// in order, because each is handled before the next arrives.
TEST_F(DrawerTest, DrillThousandSenseChangesArriveInOrderNoneLost) {
  CCashDrawer d;
  OpenEnable(d);
  constexpr int kChanges = 1000;
  std::atomic<int> handled{0};
  co.onStatus = [&](int32_t) { ++handled; };
  std::atomic<bool> stalled{false};
  std::thread monitor([&] {
    for (int i = 0; i < kChanges && !stalled; ++i) {
      d.OnDrawerStatus(i % 2 == 0 ? 0x00 : 0x04);  // open, closed, open, ...
      const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(kBoundMs);
      while (handled.load() <= i) {
        if (std::chrono::steady_clock::now() > end) {
          stalled = true;
          break;
        }
        std::this_thread::yield();
      }
    }
  });
  const bool done = PumpUntil([&] { return handled.load() >= kChanges || stalled; }, 10 * kBoundMs);
  monitor.join();
  ASSERT_TRUE(done && !stalled) << handled.load() << " of " << kChanges << " events";
  const std::vector<int> events = DrawerEvents(co);
  ASSERT_EQ(events.size(), static_cast<size_t>(kChanges));
  for (int i = 0; i < kChanges; ++i) ASSERT_EQ(events[i], i % 2 == 0 ? 1 : 0) << "event " << i;
  EXPECT_FALSE(d.DrawerOpened());
}

// Changes faster than the application handles them: overtaken events are
// dropped, but what arrives alternates, and the last word is the truth.
TEST_F(DrawerTest, DrillBurstOfSenseChangesEndsOnTheLastState) {
  CCashDrawer d;
  OpenEnable(d);
  std::thread monitor([&] {
    for (int i = 0; i < 1001; ++i) d.OnDrawerStatus(i % 2 == 0 ? 0x00 : 0x04);  // ends open
  });
  monitor.join();
  ASSERT_TRUE(PumpUntil([&] {
    const std::vector<int> e = DrawerEvents(co);
    return !e.empty() && e.back() == 1;
  }, kBoundMs));
  PumpFor(100);
  const std::vector<int> events = DrawerEvents(co);
  for (size_t i = 1; i < events.size(); ++i) EXPECT_NE(events[i], events[i - 1]) << "event " << i;
  EXPECT_EQ(events.back(), 1);
  EXPECT_TRUE(d.DrawerOpened());
}

// Printer and drawer on one port (a network printer: a job counts as
// printed once written). 500 asynchronous jobs of text, bar codes and
// pictures go through a cover opened, paper run out and the link dropped;
// each stoppage raises an Error whose retry answer resends only the
// unconfirmed batch. Every job completes once, in order; every text job is
// on the paper, again only when it was in a resent batch.
class SharedPortDrill : public DrawerTest {
 protected:
  void SetUp() override {
    DrawerTest::SetUp();
    SeedNetworkPrinter("Printer1", profilePath);
    fake().SetHandlePerPortName(true);
  }
};

TEST_F(SharedPortDrill, DrillFiveHundredJobsThroughEveryStoppage) {
  CPOSPrinter printer;
  OpenClaimEnable(printer);
  printer_test::FakeControlObject drawerCo;
  CCashDrawer drawer;
  ASSERT_EQ(drawer.OpenService("CashDrawer", "Drawer1", &drawerCo), 0);
  ASSERT_EQ(drawer.ClaimDevice(0), 0);
  drawer.SetPropertyNumber(3, 1);
  ASSERT_EQ(drawer.GetPropertyNumber(3), 1);
  printer.SetPropertyNumber(8001, 1);  // AsyncMode

  const RgbImage logo = tavo_test::Draw(32, 16, [](int32_t x, int32_t y) { return (x + y) % 3 ? kBlack : kWhite; });
  const std::string picture = folder.Write("drill.png", tavo_test::PngBytes(logo));

  // Each stoppage ends when the application is told of it: the handler
  // takes the condition away and leaves the preset answer, retry.
  std::vector<std::string> errors;
  co.onError = [&](int32_t rc, int32_t rce) {
    errors.push_back(std::to_string(rc) + "/" + std::to_string(rce));
    fake().SetWriteLimit(-1);
    fake().PushPower(2001);
    fake().PushStatus({0x04, 0, 0, 0});  // cover shut, paper in, drawer closed
  };
  const struct {
    int atJob;
    FakePortMgr::Status status;  // with the drawer's sense line: open
    bool dropLink;
  } stoppages[] = {{100, {0x20, 0, 0, 0}, false}, {250, {0x00, 0, 0x0C, 0}, false}, {400, {0x00, 0, 0, 0}, true}};

  constexpr int kJobs = 500;
  std::vector<std::string> texts;
  for (int job = 1; job <= kJobs; ++job) {
    for (const auto& s : stoppages) {
      if (job != s.atJob) continue;
      const size_t before = errors.size();
      if (s.dropLink) {
        fake().SetWriteLimit(0);
        fake().PushPower(2004);
      } else {
        // Seen by the printer once it reports cover open (11) or paper out (24).
        const std::string report = s.status[0] & 0x20 ? "StatusUpdate 11" : "StatusUpdate 24";
        auto reports = [&] {
          size_t n = 0;
          for (const std::string& e : co.Events()) n += e == report;
          return n;
        };
        const size_t seen = reports();
        fake().PushStatus(s.status);
        ASSERT_TRUE(PumpUntil([&] { return reports() > seen; }, kBoundMs)) << job;
      }
      // The stopped job's Error arrives while the queue keeps growing.
      ASSERT_EQ(printer.PrintNormal(PTR_S_RECEIPT, "STOP" + std::to_string(job) + "\n"), OPOS_SUCCESS);
      texts.push_back("STOP" + std::to_string(job) + "\n");
      ASSERT_TRUE(PumpUntil([&] { return errors.size() > before; }, kBoundMs)) << job;
    }
    int32_t rc;
    if (job % 10 == 3) {
      rc = printer.PrintBarCode(PTR_S_RECEIPT, "BC" + std::to_string(job), PTR_BCS_Code128, 60, 300, PTR_BC_CENTER,
                                PTR_BC_TEXT_NONE);
    } else if (job % 10 == 7) {
      rc = printer.PrintBitmap(PTR_S_RECEIPT, picture, PTR_BM_ASIS, PTR_BM_CENTER);
    } else {
      texts.push_back("JOB" + std::to_string(job) + "\n");
      rc = printer.PrintNormal(PTR_S_RECEIPT, texts.back());
    }
    ASSERT_EQ(rc, OPOS_SUCCESS) << job;
    if (job % 50 == 0) platform::PumpMessages(0);
  }
  const int32_t lastId = printer.GetPropertyNumber(5);  // OutputID
  ASSERT_TRUE(PumpUntil([&] {
    for (const std::string& e : co.Events())
      if (e == "OutputComplete " + std::to_string(lastId)) return true;
    return false;
  }, 10 * kBoundMs)) << co.Events().size() << " events";
  ASSERT_TRUE(PumpUntil([&] { return printer.GetPropertyNumber(9) == OPOS_S_IDLE; }, kBoundMs));

  // Every job completed exactly once, in order; the line feed each retry
  // puts in front of the resent batch completes as OutputID 0.
  std::vector<int> completed;
  size_t feeds = 0;
  for (const std::string& e : co.Events()) {
    if (e.rfind("OutputComplete ", 0) != 0) continue;
    const int id = std::stoi(e.substr(15));
    if (id == 0) {
      ++feeds;
    } else {
      completed.push_back(id);
    }
  }
  ASSERT_EQ(completed.size(), static_cast<size_t>(lastId));
  for (size_t i = 0; i < completed.size(); ++i) ASSERT_EQ(completed[i], static_cast<int>(i) + 1);
  EXPECT_EQ(feeds, errors.size());
  EXPECT_GE(errors.size(), 3u);  // one per stoppage, more if a retry still found it

  // On the paper: every text once, in order of first appearance; resent
  // batches account for any further copy, one per Error at most.
  const std::string written = fake().Written();
  size_t last = 0, twice = 0;
  for (const std::string& t : texts) {
    const size_t n = Occurrences(written, t);
    ASSERT_GE(n, 1u) << t << " lost";
    ASSERT_LE(n, 1 + errors.size()) << t << " printed more often than it was resent";
    twice += n - 1;
    const size_t at = written.find(t);
    EXPECT_GE(at, last) << t << " out of order";
    last = at;
  }
  EXPECT_LE(twice, errors.size() * 10) << "more resent than the unconfirmed batches";
  for (int job = 3; job <= kJobs; job += 10) EXPECT_GE(Occurrences(written, "BC" + std::to_string(job)), 1u) << job;

  // The drawer heard the sense line through it all and ends closed; its
  // events alternate.
  ASSERT_TRUE(PumpUntil([&] {
    const std::vector<int> e = DrawerEvents(drawerCo);
    return !e.empty() && e.back() == 0;
  }, kBoundMs));
  const std::vector<int> drawerEvents = DrawerEvents(drawerCo);
  for (size_t i = 1; i < drawerEvents.size(); ++i) EXPECT_NE(drawerEvents[i], drawerEvents[i - 1]);
  EXPECT_FALSE(drawer.DrawerOpened());
  EXPECT_EQ(drawer.GetPropertyNumber(3), 1);
  drawer.Close();
  printer.Close();
}

}  // namespace
