// The printer object with its workers attached: printing through the
// output path, events reaching the Control Object on the opening thread,
// the event gates, and open/claim/enable/release/close cycles while the
// port's monitor thread and both worker threads run.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "common/opos.h"
#include "platform/owner_thread.h"
#include "printer_fixture.h"

using namespace opos;
using namespace printer_test;

namespace {

// Pumps the test thread's messages (event delivery happens there) until
// pred holds or the time is up.
bool PumpUntil(const std::function<bool()>& pred, int timeoutMs = 3000) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
  while (!pred()) {
    if (std::chrono::steady_clock::now() > end) return false;
    platform::PumpMessages(10);
  }
  return true;
}

bool Contains(const std::string& haystack, const std::string& needle) {
  return haystack.find(needle) != std::string::npos;
}

// A network printer of command class 2: no completion handshake and short
// pauses, so asynchronous jobs complete at once.
class PrintingTest : public PrinterTest {
 protected:
  void SetUp() override {
    PrinterTest::SetUp();
    SeedNetworkPrinter("Printer1", profilePath);
  }

  size_t EventCount() const { return co.Events().size(); }
  bool HasEvent(const std::string& e) const {
    for (const std::string& x : co.Events()) {
      if (x == e) return true;
    }
    return false;
  }
};

TEST_F(PrintingTest, SynchronousPrintWritesTheTranslatedText) {
  CPOSPrinter p;
  OpenClaimEnable(p);
  EXPECT_EQ(p.PrintNormal(PTR_S_RECEIPT, "Total 12.50\n"), OPOS_SUCCESS);
  EXPECT_TRUE(Contains(fake().Written(), "Total 12.50"));
  EXPECT_EQ(p.PrintNormal(PTR_S_SLIP, "x"), OPOS_E_ILLEGAL);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_E_ILLEGAL);
}

TEST_F(PrintingTest, PrintingNeedsClaimAndEnable) {
  CPOSPrinter p;
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  EXPECT_EQ(p.PrintNormal(PTR_S_RECEIPT, "x"), OPOS_E_NOTCLAIMED);
  ASSERT_EQ(p.ClaimDevice(0), OPOS_SUCCESS);
  EXPECT_EQ(p.PrintImmediate(PTR_S_RECEIPT, "x"), OPOS_E_DISABLED);
  EXPECT_EQ(p.PrintTwoNormal(PTR_S_RECEIPT, "a", "b"), OPOS_E_ILLEGAL);
}

TEST_F(PrintingTest, AsynchronousJobsCompleteInOrderOnTheOpeningThread) {
  CPOSPrinter p;
  OpenClaimEnable(p);
  p.SetPropertyNumber(8001, 1);
  EXPECT_EQ(p.PrintNormal(PTR_S_RECEIPT, "first\n"), OPOS_SUCCESS);
  EXPECT_EQ(p.PrintNormal(PTR_S_RECEIPT, "second\n"), OPOS_SUCCESS);
  EXPECT_EQ(p.GetPropertyNumber(5), 2);  // OutputID
  ASSERT_TRUE(PumpUntil([&] { return HasEvent("OutputComplete 2"); }));
  EXPECT_EQ(co.Events(), (std::vector<std::string>{"OutputComplete 1", "OutputComplete 2"}));
  ASSERT_TRUE(PumpUntil([&] { return p.GetPropertyNumber(9) == OPOS_S_IDLE; }));
  const std::string written = fake().Written();
  EXPECT_LT(written.find("first"), written.find("second"));
}

TEST_F(PrintingTest, ControlObjectFreezeHoldsEventsUntilReleased) {
  CPOSPrinter p;
  OpenClaimEnable(p);
  p.SetPropertyNumber(8001, 1);
  EXPECT_EQ(p.COFreezeEvents(1), OPOS_SUCCESS);
  p.PrintNormal(PTR_S_RECEIPT, "a");
  p.PrintNormal(PTR_S_RECEIPT, "b");
  ASSERT_TRUE(PumpUntil([&] { return p.GetPropertyNumber(9) == OPOS_S_IDLE; }));
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(EventCount(), 0u);
  p.COFreezeEvents(0);
  ASSERT_TRUE(PumpUntil([&] { return EventCount() == 2; }));
  EXPECT_EQ(co.Events(), (std::vector<std::string>{"OutputComplete 1", "OutputComplete 2"}));
}

TEST_F(PrintingTest, DisablingHoldsEventsAndReleaseDropsThem) {
  CPOSPrinter p;
  OpenClaimEnable(p);
  p.SetPropertyNumber(8001, 1);
  p.SetPropertyNumber(4, 1);  // the application freezes events
  p.PrintNormal(PTR_S_RECEIPT, "a");
  ASSERT_TRUE(PumpUntil([&] { return p.GetPropertyNumber(9) == OPOS_S_IDLE; }));
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(EventCount(), 0u);
  EXPECT_EQ(p.ReleaseDevice(), OPOS_SUCCESS);
  p.SetPropertyNumber(4, 0);
  PumpUntil([] { return false; }, 200);
  EXPECT_EQ(EventCount(), 0u);
}

TEST_F(PrintingTest, IdleFlagReportsOnce) {
  CPOSPrinter p;
  OpenClaimEnable(p);
  p.SetPropertyNumber(8005, 1);
  EXPECT_EQ(p.GetPropertyNumber(6), OPOS_SUCCESS);
  ASSERT_TRUE(PumpUntil([&] { return HasEvent("StatusUpdate 1001"); }));
  PumpUntil([] { return false; }, 100);
  EXPECT_EQ(EventCount(), 1u);
  EXPECT_EQ(p.GetPropertyNumber(8005), 0);
}

TEST_F(PrintingTest, CoverReportBecomesAStatusUpdate) {
  CPOSPrinter p;
  OpenClaimEnable(p);
  fake().PushStatus({0x20, 0x00, 0x00, 0x00});  // cover open
  ASSERT_TRUE(PumpUntil([&] { return HasEvent("StatusUpdate 11"); }));
  EXPECT_EQ(p.GetPropertyNumber(8003), 1);
  EXPECT_EQ(p.PrintNormal(PTR_S_RECEIPT, "never"), OPOS_E_EXTENDED);
  EXPECT_EQ(p.GetPropertyNumber(7), OPOS_EPTR_COVER_OPEN);
  EXPECT_FALSE(Contains(fake().Written(), "never"));
}

TEST_F(PrintingTest, MissingEventWindowStillOpens) {
  platform::FailNextMailboxForTesting();
  CPOSPrinter p;
  EXPECT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_E_FAILURE);
  EXPECT_EQ(p.ClaimDevice(0), OPOS_SUCCESS);
  p.SetPropertyNumber(3, 1);
  p.SetPropertyNumber(8001, 1);
  EXPECT_EQ(p.PrintNormal(PTR_S_RECEIPT, "x"), OPOS_SUCCESS);
  EXPECT_TRUE(PumpUntil([&] { return p.GetPropertyNumber(9) == OPOS_S_IDLE; }));
  EXPECT_EQ(p.Close(), OPOS_SUCCESS);
}

TEST_F(PrintingTest, SecondOpenOfAnOpenServiceIsRefused) {
  CPOSPrinter p;
  ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
  EXPECT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_E_ILLEGAL);
  EXPECT_EQ(fake().Count("CreatePort"), 1);
  EXPECT_EQ(p.Close(), OPOS_SUCCESS);
}

TEST_F(PrintingTest, CyclesWithEveryThreadRunning) {
  CPOSPrinter p;
  for (int i = 0; i < 8; ++i) {
    fake().PushStatus({0x00, 0x00, 0x00, 0x00});
    ASSERT_EQ(p.OpenService("POSPrinter", "Printer1", &co), OPOS_SUCCESS);
    ASSERT_EQ(p.ClaimDevice(0), OPOS_SUCCESS);
    p.SetPropertyNumber(3, 1);
    p.SetPropertyNumber(8001, 1);
    p.PrintNormal(PTR_S_RECEIPT, "cycle\n");
    p.SetPropertyNumber(8016, 56);
    p.GetPropertyNumber(9);
    p.GetPropertyNumber(8003);
    platform::PumpMessages(5);
    if (i % 2) {
      ASSERT_EQ(p.ReleaseDevice(), OPOS_SUCCESS);
    }
    ASSERT_EQ(p.Close(), OPOS_SUCCESS);
    platform::PumpMessages(0);
  }
  EXPECT_EQ(fake().Count("CreatePort"), fake().Count("DeletePort"));
  EXPECT_EQ(fake().Count("OpenPort"), fake().Count("ClosePort"));
}

}  // namespace
