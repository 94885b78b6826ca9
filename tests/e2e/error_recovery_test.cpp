// A cover opened or paper run out on the virtual printer stops output:
// synchronous calls fail at once, asynchronous jobs raise an error event and
// wait for the application's answer; retry prints everything exactly once,
// clear drops it.
#include "e2e_fixture.h"

namespace {

class ErrorRecovery : public PrinterE2e {
 protected:
  // Enabled, asynchronous, with the cover open and reported.
  void OpenCoverBeforePrinting(bool async) {
    OpenClaimEnable();
    printer_.SetNumber(PIDXPtr_AsyncMode, async ? 1 : 0);
    std::size_t mark = recorder_->Count();
    ControlOk("cover open");
    ASSERT_TRUE(WaitForStatus(11, mark)) << recorder_->Describe();
  }
};

// A condition of the printer that stops output, how it is reported and
// the extended result a print gets while it lasts.
struct Blocker {
  const char* set;
  const char* clear;
  long status;    // StatusUpdate once it is seen
  long cleared;   // StatusUpdate once it is gone
  long extended;  // with OPOS_E_EXTENDED (114)
};

class Blocked : public PrinterE2e, public testing::WithParamInterface<Blocker> {
 protected:
  void Block(bool async) {
    OpenClaimEnable();
    printer_.SetNumber(PIDXPtr_AsyncMode, async ? 1 : 0);
    std::size_t mark = recorder_->Count();
    ControlOk(GetParam().set);
    ASSERT_TRUE(WaitForStatus(GetParam().status, mark)) << recorder_->Describe();
  }
};

TEST_P(Blocked, SynchronousPrintFailsAndWritesNothing) {
  Block(false);
  CommandLog log;
  EXPECT_EQ(printer_.PrintNormal("E2E must not print\n"), 114);
  EXPECT_EQ(printer_.Number(PIDX_ResultCodeExtended), GetParam().extended);
  PumpFor(300);
  EXPECT_EQ(log.TextSince().find("E2E must not print"), std::string::npos);
}

TEST_P(Blocked, AsynchronousJobWaitsForTheAnswerAndPrintsOnceAfterRetry) {
  Block(true);
  CommandLog log;
  recorder_->onError = [&](const Event&) -> long {
    ControlOk(GetParam().clear);
    return 11;  // OPOS_ER_RETRY
  };
  ASSERT_EQ(printer_.PrintNormal("E2E retried job\n"), 0);
  long id = printer_.Number(PIDX_OutputID);
  ASSERT_TRUE(PumpUntil([&] {
    std::vector<long> done = recorder_->Values(Event::OutputComplete);
    return std::count(done.begin(), done.end(), id) > 0;
  })) << recorder_->Describe();
  std::vector<Event> errors = recorder_->OfKind(Event::Error);
  ASSERT_EQ(errors.size(), 1u) << recorder_->Describe();
  EXPECT_EQ(errors[0].numbers, (std::vector<long>{114, GetParam().extended, 1, 11}));
  EXPECT_TRUE(StatusSince(0, GetParam().cleared));
  ASSERT_TRUE(WaitForText(log, "E2E retried job"));
  PumpFor(300);
  EXPECT_EQ(Occurrences(log.TextSince(), "E2E retried job"), 1);
}

INSTANTIATE_TEST_SUITE_P(Printer, Blocked,
                         testing::Values(Blocker{"cover open", "cover close", 11, 12, 201},
                                         Blocker{"paper empty", "paper ok", 24, 26, 203}),
                         [](const testing::TestParamInfo<Blocker>& info) {
                           return info.param.extended == 201 ? std::string("CoverOpen") : std::string("PaperEmpty");
                         });

TEST_F(ErrorRecovery, RetryAfterClosingTheCoverPrintsEveryJobExactlyOnce) {
  OpenCoverBeforePrinting(true);
  CommandLog log;
  struct Answer {
    long state, errorLevel;
    std::string errorString;
    DWORD at;
  };
  std::vector<Answer> answers;
  recorder_->onError = [&](const Event&) -> long {
    answers.push_back({printer_.Number(PIDX_State), printer_.Number(PIDXPtr_ErrorLevel),
                       printer_.Text(PIDXPtr_ErrorString), GetTickCount()});
    if (answers.size() == 2) ControlOk("cover close");  // the first retry still finds it open
    return 11;                                         // OPOS_ER_RETRY
  };

  ASSERT_EQ(printer_.PrintNormal("E2E held job one\n"), 0);
  long first = printer_.Number(PIDX_OutputID);
  ASSERT_EQ(printer_.PrintNormal("E2E held job two\n"), 0);
  long second = printer_.Number(PIDX_OutputID);

  ASSERT_TRUE(PumpUntil([&] {
    std::vector<long> done = recorder_->Values(Event::OutputComplete);
    return std::count(done.begin(), done.end(), second) > 0;
  }, 20000)) << recorder_->Describe();

  std::vector<Event> errors = recorder_->OfKind(Event::Error);
  ASSERT_EQ(errors.size(), 2u) << recorder_->Describe();
  for (const Event& e : errors) {
    ASSERT_EQ(e.numbers.size(), 4u);
    EXPECT_EQ(e.numbers[0], 114);
    EXPECT_EQ(e.numbers[1], 201);
    EXPECT_EQ(e.numbers[2], 1);   // OPOS_EL_OUTPUT
    EXPECT_EQ(e.numbers[3], 11);  // preset answer: retry
  }
  ASSERT_EQ(answers.size(), 2u);
  for (const Answer& a : answers) {
    EXPECT_EQ(a.state, 4);
    EXPECT_EQ(a.errorLevel, 2);
    EXPECT_EQ(a.errorString, "Cover Open (114/201)");
  }
  EXPECT_GE(answers[1].at - answers[0].at, 900u) << "a retry came sooner than a second after the error";

  std::vector<long> done = recorder_->Values(Event::OutputComplete);
  EXPECT_EQ(std::count(done.begin(), done.end(), first), 1);
  EXPECT_EQ(std::count(done.begin(), done.end(), second), 1);
  EXPECT_LT(std::find(done.begin(), done.end(), first), std::find(done.begin(), done.end(), second));

  ASSERT_TRUE(WaitForText(log, "E2E held job two"));
  PumpFor(300);
  std::string text = log.TextSince();
  EXPECT_EQ(Occurrences(text, "E2E held job one"), 1) << text;
  EXPECT_EQ(Occurrences(text, "E2E held job two"), 1) << text;
  EXPECT_LT(text.find("E2E held job one"), text.find("E2E held job two"));
  EXPECT_TRUE(PumpUntil([&] { return printer_.Number(PIDX_State) == 2; }));
  EXPECT_EQ(printer_.Number(PIDXPtr_ErrorLevel), 1);
}

TEST_F(ErrorRecovery, ClearDropsTheQueuedJobs) {
  OpenCoverBeforePrinting(true);
  CommandLog log;
  recorder_->onError = [](const Event&) -> long { return 12; };  // OPOS_ER_CLEAR
  ASSERT_EQ(printer_.PrintNormal("E2E cleared job\n"), 0);
  ASSERT_TRUE(PumpUntil([&] { return !recorder_->OfKind(Event::Error).empty(); })) << recorder_->Describe();
  EXPECT_TRUE(PumpUntil([&] { return printer_.Number(PIDX_State) == 2; }));

  std::size_t mark = recorder_->Count();
  ControlOk("cover close");
  ASSERT_TRUE(WaitForStatus(12, mark));
  PumpFor(1500);  // longer than the retry pause: nothing may come back
  EXPECT_TRUE(recorder_->OfKind(Event::OutputComplete).empty()) << recorder_->Describe();
  EXPECT_EQ(recorder_->OfKind(Event::Error).size(), 1u);
  EXPECT_EQ(log.TextSince().find("E2E cleared job"), std::string::npos);
}

}  // namespace
