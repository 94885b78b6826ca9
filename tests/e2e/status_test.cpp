// Status changes made on the virtual printer reach the application as
// StatusUpdate events and properties, through automatic status back and
// the port's monitor thread.
#include "e2e_fixture.h"

namespace {

using Status = PrinterE2e;

TEST_F(Status, PaperNearEndEmptyAndRefilledAreReported) {
  OpenClaimEnable();
  std::size_t mark = recorder_->Count();
  ControlOk("paper near-end");
  ASSERT_TRUE(WaitForStatus(25, mark)) << recorder_->Describe();
  EXPECT_EQ(printer_.Number(PIDXPtr_RecNearEnd), 1);
  EXPECT_EQ(printer_.Number(PIDXPtr_RecEmpty), 0);

  mark = recorder_->Count();
  ControlOk("paper empty");
  ASSERT_TRUE(WaitForStatus(24, mark)) << recorder_->Describe();
  EXPECT_EQ(printer_.Number(PIDXPtr_RecEmpty), 1);
  EXPECT_EQ(printer_.Number(PIDXPtr_RecNearEnd), 0);

  mark = recorder_->Count();
  ControlOk("paper ok");
  ASSERT_TRUE(WaitForStatus(26, mark)) << recorder_->Describe();
  EXPECT_EQ(printer_.Number(PIDXPtr_RecEmpty), 0);
  EXPECT_EQ(printer_.Number(PIDXPtr_RecNearEnd), 0);
}

TEST_F(Status, CoverOpenAndClosedAreReportedOnce) {
  OpenClaimEnable();
  std::size_t mark = recorder_->Count();
  ControlOk("cover open");
  ASSERT_TRUE(WaitForStatus(11, mark)) << recorder_->Describe();
  EXPECT_EQ(printer_.Number(PIDXPtr_CoverOpen), 1);
  ControlOk("cover close");
  ASSERT_TRUE(WaitForStatus(12, mark)) << recorder_->Describe();
  EXPECT_EQ(printer_.Number(PIDXPtr_CoverOpen), 0);
  PumpFor(300);  // the monitor keeps polling: no repeats of unchanged values
  std::vector<long> covers;
  for (std::size_t i = mark; i < recorder_->Count(); ++i) {
    const Event& e = recorder_->Events()[i];
    if (e.kind == Event::StatusUpdate && (e.numbers[0] == 11 || e.numbers[0] == 12)) covers.push_back(e.numbers[0]);
  }
  EXPECT_EQ(covers, (std::vector<long>{11, 12})) << recorder_->Describe();
}

TEST_F(Status, OfflineAndOnlineReachThePowerStateWithPowerNotify) {
  OpenClaimEnable(true);
  ASSERT_TRUE(WaitForStatus(2001)) << "no first on-line report\n" << recorder_->Describe();
  EXPECT_EQ(printer_.Number(PIDX_PowerState), 2001);

  std::size_t mark = recorder_->Count();
  ControlOk("offline");
  ASSERT_TRUE(WaitForStatus(2003, mark)) << recorder_->Describe();
  EXPECT_EQ(printer_.Number(PIDX_PowerState), 2003);

  mark = recorder_->Count();
  CommandLog log;
  ControlOk("online");
  ASSERT_TRUE(WaitForStatus(2001, mark)) << recorder_->Describe();
  EXPECT_EQ(printer_.Number(PIDX_PowerState), 2001);
  // Back on line the printer is told to report everything again (GS a 255).
  EXPECT_TRUE(PumpUntil([&] { return HexOccurrences(log.HexSince(), "1d61ff") > 0; })) << log.HexSince();
}

TEST_F(Status, WithoutPowerNotifyThePowerStateStaysUnknown) {
  OpenClaimEnable(false);
  std::size_t mark = recorder_->Count();
  ControlOk("offline");
  PumpFor(600);
  ControlOk("online");
  PumpFor(600);
  EXPECT_FALSE(StatusSince(mark, 2003));
  EXPECT_EQ(printer_.Number(PIDX_PowerState), 2000);
}

}  // namespace
