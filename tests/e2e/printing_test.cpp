// Print data through the Service Object to the paper: synchronous and
// asynchronous PrintNormal, completion events, and the rendered receipt.
#include "e2e_fixture.h"

namespace {

using Printing = PrinterE2e;

TEST_F(Printing, SynchronousPrintNormalReachesThePaperBeforeItReturns) {
  OpenClaimEnable();
  CommandLog log;
  EXPECT_EQ(printer_.PrintNormal("E2E sync line one\nE2E sync line two\n"), 0);
  EXPECT_EQ(printer_.Number(PIDX_ResultCode), 0);
  EXPECT_EQ(printer_.Number(PIDX_State), 2);
  ASSERT_TRUE(WaitForText(log, "E2E sync line two")) << "printed: " << log.TextSince();
  std::string text = log.TextSince();
  EXPECT_LT(text.find("E2E sync line one"), text.find("E2E sync line two"));
  EXPECT_TRUE(recorder_->OfKind(Event::OutputComplete).empty());  // synchronous output raises none
}

TEST_F(Printing, PrintNormalOnAnotherStationIsRefused) {
  OpenClaimEnable();
  EXPECT_EQ(printer_.Call(L"PrintNormal", {PrinterSession::Long(1), PrinterSession::Bytes("journal\n")}), 106);
}

TEST_F(Printing, AsynchronousJobsCompleteInOutputIdOrder) {
  OpenClaimEnable();
  printer_.SetNumber(PIDXPtr_AsyncMode, 1);
  CommandLog log;
  std::vector<long> ids;
  for (const char* line : {"E2E async first\n", "E2E async second\n", "E2E async third\n"}) {
    ASSERT_EQ(printer_.PrintNormal(line), 0);
    ids.push_back(printer_.Number(PIDX_OutputID));
  }
  EXPECT_EQ(ids[1], ids[0] + 1);
  EXPECT_EQ(ids[2], ids[1] + 1);
  ASSERT_TRUE(PumpUntil([&] { return recorder_->Values(Event::OutputComplete).size() >= 3; }))
      << recorder_->Describe();
  EXPECT_EQ(recorder_->Values(Event::OutputComplete), ids);
  EXPECT_TRUE(PumpUntil([&] { return printer_.Number(PIDX_State) == 2; }));

  ASSERT_TRUE(WaitForText(log, "E2E async third"));
  std::string text = log.TextSince();
  std::size_t first = text.find("E2E async first"), second = text.find("E2E async second");
  EXPECT_LT(first, second);
  EXPECT_LT(second, text.find("E2E async third"));
}

TEST_F(Printing, FlagWhenIdleReportsIdleOnceAfterTheQueueDrains) {
  OpenClaimEnable();
  printer_.SetNumber(PIDXPtr_AsyncMode, 1);
  ASSERT_EQ(printer_.PrintNormal("E2E before idle one\n"), 0);
  ASSERT_EQ(printer_.PrintNormal("E2E before idle two\n"), 0);
  long last = printer_.Number(PIDX_OutputID);
  printer_.SetNumber(PIDXPtr_FlagWhenIdle, 1);
  ASSERT_TRUE(WaitForStatus(1001)) << recorder_->Describe();
  PumpFor(300);
  std::vector<long> statuses = recorder_->Values(Event::StatusUpdate);
  EXPECT_EQ(std::count(statuses.begin(), statuses.end(), 1001), 1) << recorder_->Describe();
  EXPECT_EQ(printer_.Number(PIDXPtr_FlagWhenIdle), 0);
  // Idle means the work is done: the last job's completion came first.
  std::size_t idleAt = 0, lastDoneAt = 0;
  for (std::size_t i = 0; i < recorder_->Count(); ++i) {
    const Event& e = recorder_->Events()[i];
    if (e.kind == Event::StatusUpdate && e.numbers[0] == 1001) idleAt = i;
    if (e.kind == Event::OutputComplete && e.numbers[0] == last) lastDoneAt = i;
  }
  EXPECT_LT(lastDoneAt, idleAt) << recorder_->Describe();
}

TEST_F(Printing, RenderedReceiptHoldsThePrintedText) {
  OpenClaimEnable();
  const std::string esc = "\x1b|";
  std::string receipt = esc + "cA" + "E2E CORNER SHOP\n" + "Bread          2.40\n" + "Milk           1.15\n" +
                        esc + "bC" + "TOTAL          3.55\n" + esc + "N" + esc + "fP";
  ASSERT_EQ(printer_.PrintNormal(receipt), 0);
  std::string text;
  ASSERT_TRUE(PumpUntil([&] {
    text = ControlOk("text");
    return text.find("TOTAL") != std::string::npos;
  })) << "receipt text: " << text;
  for (const char* line : {"E2E CORNER SHOP", "Bread", "Milk", "3.55"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << " missing from " << text;
  }
  EXPECT_EQ(text.find("|bC"), std::string::npos) << "an escape sequence reached the paper as text";
  std::string saved = ControlOk("save");
  EXPECT_NE(saved.find(".png"), std::string::npos) << saved;
}

}  // namespace
