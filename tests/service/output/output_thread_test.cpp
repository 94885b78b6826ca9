// The output thread: order and ids, batching, confirmation, errors with retry
// and clear, and clear, release and close while output is in progress.
#include <gtest/gtest.h>

#include "output_fakes.h"

using namespace opos;

namespace {
const std::string kStatusRequest = Bytes({0x10, 0x04, 0x03});

// An asynchronous rig whose status reports post no events; the thread is
// started by each test.
struct AsyncRig : OutputRig {
  explicit AsyncRig(const std::string& portName = "COM1") : OutputRig(portName, 2, false) { host.async = true; }
  ~AsyncRig() { output.Stop(); }
  void Queue(int n) {
    for (int i = 1; i <= n; ++i) ASSERT_EQ(output.PrintNormal(PTR_S_RECEIPT, "j" + std::to_string(i)), 0);
  }
  std::vector<std::string> Data() const {  // writes without prefixes
    std::vector<std::string> data;
    for (const std::string& w : port.Writes()) {
      if (w != "<P>") data.push_back(w);
    }
    return data;
  }
};

std::vector<PostedEvent> Completions(std::initializer_list<int32_t> ids) {
  std::vector<PostedEvent> events;
  for (int32_t id : ids) events.push_back(DoneEv(id));
  return events;
}
}  // namespace

TEST(OutputThread, AsyncJobsReturnAtOnceWithConsecutiveIdsAndCompleteInOrder) {
  AsyncRig rig;
  rig.output.Start();
  EXPECT_EQ(rig.output.PrintNormal(PTR_S_RECEIPT, "one"), OPOS_SUCCESS);
  EXPECT_EQ(rig.output.OutputID(), 1);
  EXPECT_EQ(rig.output.PrintNormal(PTR_S_RECEIPT, "two"), OPOS_SUCCESS);
  EXPECT_EQ(rig.output.OutputID(), 2);
  ASSERT_TRUE(rig.host.WaitEvents(2));
  EXPECT_EQ(rig.host.Events(), Completions({1, 2}));
  EXPECT_TRUE(rig.host.WaitState(OPOS_S_IDLE));
  EXPECT_EQ(rig.port.UnlockedWrites(), 0);
}

TEST(OutputThread, TenUnconfirmedJobsForceAConfirmation) {
  AsyncRig rig;
  rig.Queue(25);
  EXPECT_EQ(rig.host.state.load(), OPOS_S_BUSY);
  rig.output.Start();
  ASSERT_TRUE(rig.host.WaitEvents(25));
  std::vector<std::string> expected;
  for (int i = 1; i <= 25; ++i) {
    expected.push_back("j" + std::to_string(i));
    if (i == 10 || i == 20 || i == 25) expected.push_back(kStatusRequest);
  }
  EXPECT_EQ(rig.Data(), expected);
  std::vector<PostedEvent> done;
  for (int i = 1; i <= 25; ++i) done.push_back(DoneEv(i));
  EXPECT_EQ(rig.host.Events(), done);
}

TEST(OutputThread, OtherPortsCountACompleteWriteAsPrinted) {
  AsyncRig rig("192.168.1.5");
  rig.Queue(3);
  rig.output.Start();
  ASSERT_TRUE(rig.host.WaitEvents(3));
  EXPECT_EQ(rig.Data(), (std::vector<std::string>{"j1", "j2", "j3"}));
  EXPECT_EQ(rig.port.Reads(), 0);
}

TEST(OutputThread, CoverOpenRaisesAnErrorAndRetryResendsAfterTheDelay) {
  AsyncRig rig;
  rig.Status(0x20);
  rig.output.Start();
  EXPECT_EQ(rig.output.PrintNormal(PTR_S_RECEIPT, "d1"), OPOS_SUCCESS);
  ASSERT_TRUE(rig.host.WaitEvents(1));
  EXPECT_EQ(rig.host.Events()[0], ErrorEv(OPOS_E_EXTENDED, OPOS_EPTR_COVER_OPEN));
  const auto posted = std::chrono::steady_clock::now();
  EXPECT_EQ(rig.host.state.load(), OPOS_S_ERROR);
  EXPECT_EQ(rig.output.ErrorLevel(), 2);
  EXPECT_EQ(rig.output.ErrorStation(), PTR_S_RECEIPT);
  EXPECT_EQ(rig.output.ErrorString(), "Cover Open (114/201)");
  EXPECT_TRUE(rig.port.Writes().empty());

  rig.Status(0x00);
  rig.output.OnErrorResponse(OPOS_ER_RETRY);
  ASSERT_TRUE(rig.port.WaitWrites(1));
  EXPECT_GE(std::chrono::steady_clock::now() - posted, std::chrono::milliseconds(40));
  ASSERT_TRUE(rig.host.WaitEvents(3));
  EXPECT_EQ(rig.host.Events()[1], DoneEv(0));  // the line feed job sent first
  EXPECT_EQ(rig.host.Events()[2], DoneEv(1));
  EXPECT_EQ(rig.Data(), (std::vector<std::string>{"\n", "d1", kStatusRequest}));
  EXPECT_EQ(rig.output.ErrorLevel(), 1);
  EXPECT_EQ(rig.output.ErrorString(), "");
  EXPECT_TRUE(rig.host.WaitState(OPOS_S_IDLE));
}

TEST(OutputThread, ClearAnswerDiscardsEverythingAndLaterJobsPrint) {
  AsyncRig rig;
  rig.Status(0x00, 0x00, 0x0C);
  rig.output.Start();
  rig.Queue(2);
  ASSERT_TRUE(rig.host.WaitEvents(1));
  EXPECT_EQ(rig.host.Events()[0], ErrorEv(OPOS_E_EXTENDED, OPOS_EPTR_REC_EMPTY));
  rig.Status(0x00);
  rig.output.OnErrorResponse(OPOS_ER_CLEAR);
  EXPECT_EQ(rig.host.state.load(), OPOS_S_IDLE);
  EXPECT_EQ(rig.host.rotationResets, 1);
  rig.Queue(1);  // at once, before the thread has woken
  ASSERT_TRUE(rig.host.WaitEvents(2));
  EXPECT_EQ(rig.host.Events()[1], DoneEv(3));
  EXPECT_EQ(rig.Data(), (std::vector<std::string>{"j1", kStatusRequest}));
}

TEST(OutputThread, FailedConfirmationResendsEveryUnconfirmedJob) {
  AsyncRig rig;
  rig.port.replies = 0;
  rig.Queue(3);
  rig.output.Start();
  ASSERT_TRUE(rig.host.WaitEvents(1));
  EXPECT_EQ(rig.host.Events()[0], ErrorEv(OPOS_E_TIMEOUT, 0));
  EXPECT_EQ(rig.output.ErrorString(), "Timeout (112/0)");
  rig.port.replies = -1;
  rig.output.OnErrorResponse(OPOS_ER_RETRY);
  ASSERT_TRUE(rig.host.WaitEvents(5));
  const std::vector<PostedEvent> expected = {ErrorEv(OPOS_E_TIMEOUT, 0), DoneEv(0), DoneEv(1), DoneEv(2), DoneEv(3)};
  EXPECT_EQ(rig.host.Events(), expected);
  std::vector<std::string> data = rig.Data();
  data.erase(std::remove(data.begin(), data.end(), kStatusRequest), data.end());
  EXPECT_EQ(data, (std::vector<std::string>{"j1", "j2", "j3", "\n", "j1", "j2", "j3"}));
}

TEST(OutputThread, ShortWriteOfTheLastJobIsAnErrorNotACompletion) {
  AsyncRig rig;
  rig.port.budget = 3 + 2 + 3 + 1;  // j1 whole, then one byte of j2
  rig.Queue(2);
  rig.output.Start();
  ASSERT_TRUE(rig.host.WaitEvents(1));
  EXPECT_EQ(rig.host.Events(), std::vector<PostedEvent>{ErrorEv(OPOS_E_FAILURE, TAVO_EFAIL_SHORT_WRITE)});
  rig.port.budget = -1;
  rig.output.OnErrorResponse(OPOS_ER_RETRY);
  ASSERT_TRUE(rig.host.WaitEvents(4));
  EXPECT_EQ(rig.host.Events()[1], DoneEv(0));
  EXPECT_EQ(rig.host.Events()[2], DoneEv(1));
  EXPECT_EQ(rig.host.Events()[3], DoneEv(2));
}

TEST(OutputThread, ClearOutputDuringAWriteDropsTheJobInHand) {
  AsyncRig rig;
  rig.port.CloseGate();
  rig.output.Start();
  rig.Queue(2);
  ASSERT_TRUE(rig.port.WaitWrites(1));
  EXPECT_EQ(rig.output.ClearOutput(), OPOS_SUCCESS);
  EXPECT_EQ(rig.host.state.load(), OPOS_S_IDLE);
  rig.port.OpenGate();
  ASSERT_TRUE(rig.output.PrintNormal(PTR_S_RECEIPT, "after") == OPOS_SUCCESS);
  ASSERT_TRUE(rig.host.WaitEvents(1));
  EXPECT_EQ(rig.host.Events(), Completions({3}));
  // The job in hand finishes its write but is neither confirmed nor
  // reported; j2 never goes out.
  EXPECT_EQ(rig.Data(), (std::vector<std::string>{"j1", "after", kStatusRequest}));
}

TEST(OutputThread, StateStaysBusyWhileTheOnlyJobIsBeingWritten) {
  AsyncRig rig;
  rig.port.CloseGate();
  rig.output.Start();
  rig.Queue(1);
  ASSERT_TRUE(rig.port.WaitWrites(1));
  rig.output.SetFlagWhenIdle(1);
  EXPECT_EQ(rig.host.state.load(), OPOS_S_BUSY);
  EXPECT_TRUE(rig.host.Events().empty());
  rig.port.OpenGate();
  ASSERT_TRUE(rig.host.WaitEvents(2));
  EXPECT_EQ(rig.host.Events(), (std::vector<PostedEvent>{DoneEv(1), StatusEv(PTR_SUE_IDLE)}));
}

TEST(OutputThread, CloseEndsAPendingErrorWaitPromptly) {
  AsyncRig rig;
  rig.Status(0x20);
  rig.output.Start();
  rig.Queue(1);
  ASSERT_TRUE(rig.host.WaitEvents(1));
  const auto start = std::chrono::steady_clock::now();
  rig.output.Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
  EXPECT_FALSE(rig.output.Running());
}

TEST(OutputThread, CloseDuringAWriteReturnsOnceTheWriteEnds) {
  AsyncRig rig;
  rig.port.CloseGate();
  rig.output.Start();
  rig.Queue(3);
  ASSERT_TRUE(rig.port.WaitWrites(1));
  std::thread opener([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    rig.port.OpenGate();
  });
  rig.output.Stop();
  opener.join();
  EXPECT_TRUE(rig.host.Events().empty());
  EXPECT_LE(rig.port.Writes().size(), 3u);  // nothing after the job in hand
}

TEST(OutputThread, ReleaseDuringAnErrorWaitFreesTheThread) {
  AsyncRig rig;
  rig.Status(0x20);
  rig.output.Start();
  rig.Queue(1);
  ASSERT_TRUE(rig.host.WaitEvents(1));
  rig.host.claimed = false;
  rig.output.DropAll();
  EXPECT_EQ(rig.host.state.load(), OPOS_S_IDLE);

  rig.host.claimed = true;  // claimed again, the printer fine
  rig.Status(0x00);
  rig.Queue(1);
  ASSERT_TRUE(rig.host.WaitEvents(2));
  EXPECT_EQ(rig.host.Events()[1], DoneEv(2));
}

TEST(OutputThread, ClearAnswerWhileDisabledStillEmptiesTheQueue) {
  AsyncRig rig;
  rig.Status(0x20);
  rig.output.Start();
  rig.Queue(2);
  ASSERT_TRUE(rig.host.WaitEvents(1));
  rig.host.enabled = false;
  rig.output.OnErrorResponse(OPOS_ER_CLEAR);
  EXPECT_EQ(rig.host.state.load(), OPOS_S_IDLE);
  EXPECT_EQ(rig.host.rotationResets, 0);

  rig.host.enabled = true;
  rig.Status(0x00);
  rig.Queue(1);
  ASSERT_TRUE(rig.host.WaitEvents(2));
  EXPECT_EQ(rig.host.Events()[1], DoneEv(3));  // the cleared jobs are not reported
  EXPECT_EQ(rig.Data(), (std::vector<std::string>{"j1", kStatusRequest}));
}

TEST(OutputThread, SynchronousWritesBesideTheThreadNeverInterleave) {
  AsyncRig rig("\\\\?\\usb#long-device-path");
  const std::string big(1000, 'a');
  const std::string other(1000, 'b');
  rig.output.Start();
  for (int i = 0; i < 5; ++i) rig.output.SubmitOutput(true, {big});
  for (int i = 0; i < 5; ++i) EXPECT_EQ(rig.output.PrintImmediate(PTR_S_RECEIPT, other), OPOS_SUCCESS);
  ASSERT_TRUE(rig.host.WaitEvents(5));
  // Chunks of one string are consecutive: the port lock spans the whole write.
  const std::string all = rig.port.All();
  std::vector<size_t> runs;
  for (size_t i = 0; i < all.size(); ++i) {
    if (all[i] != 'a' && all[i] != 'b') continue;
    if (i == 0 || all[i - 1] != all[i]) runs.push_back(0);
    runs.back()++;
  }
  EXPECT_EQ(runs, std::vector<size_t>(10, 1000));
}
