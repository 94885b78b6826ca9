// Event delivery to the Control Object: order, the two gates, the rules
// that drop overtaken status updates, the error answer hand-back, and the
// stop paths that must never hang.
#include "service/printer/event_queue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "common/opos.h"
#include "platform/owner_thread.h"
#include "service/common/control_object.h"

using namespace opos;

namespace {

struct Call {
  std::string method;
  int32_t a = 0, b = 0, c = 0, dispid = 0;
  bool operator==(const Call& o) const { return method == o.method && a == o.a && b == o.b && c == o.c; }
};
std::ostream& operator<<(std::ostream& os, const Call& c) {
  return os << c.method << "(" << c.a << "," << c.b << "," << c.c << ")";
}

// Records calls; runs only on the owner thread, so no lock is needed for
// calls_, but the thread is checked.
class FakeControlObject : public IControlObject {
 public:
  bool LookUp(const char*, int32_t*) override { return true; }
  void SODirectIO(int32_t dispid, int32_t number, int32_t* data, std::string* text) override {
    Add({"DirectIO", number, *data, static_cast<int32_t>(text->size()), dispid});
    *data += 1;
    *text += "!";
  }
  void SOError(int32_t dispid, int32_t rc, int32_t rce, int32_t locus, int32_t* response) override {
    Add({"Error", rc, rce, locus, dispid});
    responseSeen.push_back(*response);
    if (onError) onError();
    *response = answer;
  }
  void SOOutputComplete(int32_t dispid, int32_t id) override { Add({"OutputComplete", id, 0, 0, dispid}); }
  void SOStatusUpdate(int32_t dispid, int32_t status) override { Add({"StatusUpdate", status, 0, 0, dispid}); }

  void Add(Call c) {
    offThread |= std::this_thread::get_id() != owner;
    calls.push_back(c);
  }

  std::thread::id owner = std::this_thread::get_id();
  bool offThread = false;
  std::vector<Call> calls;
  std::vector<int32_t> responseSeen;
  int32_t answer = OPOS_ER_RETRY;
  std::function<void()> onError;
};

class FakeHost : public IEventHost {
 public:
  void SetState(int32_t s) override { state = s; }
  int32_t LastCoverStatus() override { return cover; }
  int32_t LastPaperStatus() override { return paper; }
  int32_t LastCartridgeStatus() override { return cartridge; }
  int32_t PowerState() override { return power; }
  bool TakeFlagWhenIdle() override { return std::exchange(flagWhenIdle, false); }
  void OnErrorResponse(int32_t response) override {
    std::lock_guard<std::mutex> lock(mutex);
    responses.push_back(response);
  }

  std::atomic<int32_t> state{OPOS_S_IDLE};
  int32_t cover = -1, paper = -1, cartridge = -1, power = OPOS_PS_UNKNOWN;
  bool flagWhenIdle = false;
  std::mutex mutex;
  std::vector<int32_t> responses;
};

// Counts live records, to see that every consumer deletes what it takes.
std::atomic<int> g_liveRecords{0};
struct CountedRecord : CEventRecord {
  explicit CountedRecord(int32_t type, int32_t value) : CEventRecord(type, value) { ++g_liveRecords; }
  ~CountedRecord() override { --g_liveRecords; }
};

class EventQueueTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dispids.directIO = 1;
    dispids.error = 2;
    dispids.outputComplete = 3;
    dispids.statusUpdate = 4;
    g_liveRecords = 0;
  }
  void TearDown() override {
    queue.Stop();
    EXPECT_FALSE(co.offThread);
  }

  // Pumps the owner thread until pred() holds.
  bool PumpUntil(const std::function<bool()>& pred, int timeoutMs = 3000) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (!pred()) {
      if (std::chrono::steady_clock::now() > end) return false;
      platform::PumpMessages(5);
    }
    return true;
  }
  // Pumps for a while to let anything that would arrive arrive.
  void PumpFor(int milliseconds) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
    while (std::chrono::steady_clock::now() < end) platform::PumpMessages(5);
  }
  void Status(int32_t s) { queue.PostEvent(MakeStatusUpdateEvent(s)); }
  std::vector<int32_t> Statuses() const {
    std::vector<int32_t> out;
    for (const Call& c : co.calls)
      if (c.method == "StatusUpdate") out.push_back(c.a);
    return out;
  }

  FakeControlObject co;
  FakeHost host;
  EventDispids dispids;
  CEventQueue queue{&host};
};

TEST_F(EventQueueTest, DeliversEveryTypeInPostingOrderOnTheOwnerThread) {
  ASSERT_TRUE(queue.Start(&co, dispids));
  std::thread([&] {
    queue.PostEvent(MakeOutputCompleteEvent(7));
    queue.PostEvent(MakeStatusUpdateEvent(OPOS_SUE_POWER_OFFLINE));
    queue.PostEvent(MakeDirectIOEvent(5, 40, "abc"));
    queue.PostEvent(MakeOutputCompleteEvent(8));
  }).join();
  ASSERT_TRUE(PumpUntil([&] { return co.calls.size() == 4; }));
  EXPECT_EQ(co.calls, (std::vector<Call>{{"OutputComplete", 7},
                                         {"StatusUpdate", 2003},
                                         {"DirectIO", 5, 40, 3},
                                         {"OutputComplete", 8}}));
  EXPECT_EQ(co.calls[0].dispid, 3);
  EXPECT_EQ(co.calls[1].dispid, 4);
  EXPECT_EQ(co.calls[2].dispid, 1);
  EXPECT_EQ(queue.Pending(), 0u);
}

TEST_F(EventQueueTest, OvertakenCoverStatusIsDropped) {
  host.cover = PTR_SUE_COVER_OK;
  ASSERT_TRUE(queue.Start(&co, dispids));
  Status(PTR_SUE_COVER_OPEN);
  Status(PTR_SUE_COVER_OK);
  ASSERT_TRUE(PumpUntil([&] { return queue.Pending() == 0; }));
  PumpFor(50);
  EXPECT_EQ(Statuses(), std::vector<int32_t>{PTR_SUE_COVER_OK});
}

TEST_F(EventQueueTest, StatusesAreCheckedAgainstTheirOwnLastValue) {
  host.paper = PTR_SUE_REC_NEAREMPTY;
  host.cartridge = PTR_SUE_REC_CARTRIDGE_OK;
  host.power = OPOS_PS_OFFLINE;
  ASSERT_TRUE(queue.Start(&co, dispids));
  for (int32_t s : {24, 25, 26, 45, 46, 47, 48, 2001, 2004, 2003, 2002, 99}) Status(s);
  ASSERT_TRUE(PumpUntil([&] { return queue.Pending() == 0; }));
  PumpFor(50);
  // 2003 and values without a rule always go out.
  EXPECT_EQ(Statuses(), (std::vector<int32_t>{25, 48, 2003, 2002, 99}));
}

TEST_F(EventQueueTest, PowerOnlineAndOffOfflineNeedTheCurrentPowerState) {
  host.power = OPOS_PS_ONLINE;
  ASSERT_TRUE(queue.Start(&co, dispids));
  Status(OPOS_SUE_POWER_ONLINE);
  ASSERT_TRUE(PumpUntil([&] { return co.calls.size() == 1; }));
  host.power = OPOS_PS_OFF_OFFLINE;
  Status(OPOS_SUE_POWER_ONLINE);
  Status(OPOS_SUE_POWER_OFF_OFFLINE);
  ASSERT_TRUE(PumpUntil([&] { return co.calls.size() == 2; }));
  PumpFor(30);
  EXPECT_EQ(Statuses(), (std::vector<int32_t>{2001, 2004}));
}

TEST_F(EventQueueTest, IdleIsDeliveredOncePerFlagWhenIdle) {
  host.flagWhenIdle = true;
  ASSERT_TRUE(queue.Start(&co, dispids));
  Status(PTR_SUE_IDLE);
  Status(PTR_SUE_IDLE);
  ASSERT_TRUE(PumpUntil([&] { return queue.Pending() == 0; }));
  PumpFor(30);
  EXPECT_EQ(Statuses(), std::vector<int32_t>{PTR_SUE_IDLE});
  EXPECT_FALSE(host.flagWhenIdle);
  host.flagWhenIdle = true;
  Status(PTR_SUE_IDLE);
  ASSERT_TRUE(PumpUntil([&] { return co.calls.size() == 2; }));
}

TEST_F(EventQueueTest, EitherGateHoldsEventsUntilBothOpen) {
  ASSERT_TRUE(queue.Start(&co, dispids));
  queue.SetCOFreezeEvents(1);
  queue.SetFreezeEvents(1);
  EXPECT_EQ(queue.COFreezeEvents(), 1);
  EXPECT_EQ(queue.FreezeEvents(), 1);
  for (int32_t id = 1; id <= 3; ++id) queue.PostEvent(MakeOutputCompleteEvent(id));
  PumpFor(120);
  EXPECT_TRUE(co.calls.empty());
  queue.SetCOFreezeEvents(0);  // the application's gate is still shut
  PumpFor(120);
  EXPECT_TRUE(co.calls.empty());
  EXPECT_EQ(queue.Pending(), 3u);
  queue.SetFreezeEvents(0);
  ASSERT_TRUE(PumpUntil([&] { return co.calls.size() == 3; }));
  EXPECT_EQ(co.calls, (std::vector<Call>{{"OutputComplete", 1}, {"OutputComplete", 2}, {"OutputComplete", 3}}));
}

TEST_F(EventQueueTest, ControlObjectFreezeAloneHoldsAndReleasesInOrder) {
  ASSERT_TRUE(queue.Start(&co, dispids));
  queue.SetCOFreezeEvents(1);
  queue.PostEvent(MakeOutputCompleteEvent(1));
  Status(2003);
  PumpFor(100);
  EXPECT_TRUE(co.calls.empty());
  queue.SetCOFreezeEvents(0);
  ASSERT_TRUE(PumpUntil([&] { return co.calls.size() == 2; }));
  EXPECT_EQ(co.calls, (std::vector<Call>{{"OutputComplete", 1}, {"StatusUpdate", 2003}}));
}

TEST_F(EventQueueTest, ErrorAnswerGoesBackAndStateIsErrorDuringTheCall) {
  ASSERT_TRUE(queue.Start(&co, dispids));
  int32_t stateDuringCall = 0;
  co.answer = OPOS_ER_CLEAR;
  co.onError = [&] { stateDuringCall = host.state; };
  queue.PostEvent(MakeErrorEvent(OPOS_E_EXTENDED, OPOS_EPTR_COVER_OPEN));
  ASSERT_TRUE(PumpUntil([&] { return co.calls.size() == 1; }));
  EXPECT_EQ(co.calls[0], (Call{"Error", 114, 201, OPOS_EL_OUTPUT}));
  EXPECT_EQ(co.responseSeen, std::vector<int32_t>{OPOS_ER_RETRY});  // preset
  EXPECT_EQ(stateDuringCall, OPOS_S_ERROR);
  EXPECT_EQ(host.state, OPOS_S_IDLE);
  std::lock_guard<std::mutex> lock(host.mutex);
  EXPECT_EQ(host.responses, std::vector<int32_t>{OPOS_ER_CLEAR});
  EXPECT_EQ(queue.ErrorResponse(), OPOS_ER_CLEAR);
}

TEST_F(EventQueueTest, UnknownRecordIsDroppedAndTheNextFollows) {
  ASSERT_TRUE(queue.Start(&co, dispids));
  queue.PostEvent(std::make_unique<CountedRecord>(9, 1));
  queue.PostEvent(std::make_unique<CountedRecord>(EVENT_OUTPUTCOMPLETE, 2));
  ASSERT_TRUE(PumpUntil([&] { return co.calls.size() == 1; }));
  EXPECT_EQ(co.calls[0], (Call{"OutputComplete", 2}));
  EXPECT_TRUE(PumpUntil([&] { return g_liveRecords == 0; }));
}

TEST_F(EventQueueTest, MissingWindowDropsEventsWithoutBlocking) {
  platform::FailNextMailboxForTesting();
  EXPECT_FALSE(queue.Start(&co, dispids));
  EXPECT_TRUE(queue.Running());
  for (int i = 0; i < 5; ++i) queue.PostEvent(std::make_unique<CountedRecord>(EVENT_OUTPUTCOMPLETE, i));
  ASSERT_TRUE(PumpUntil([&] { return g_liveRecords == 0; }));
  EXPECT_TRUE(co.calls.empty());
  const auto start = std::chrono::steady_clock::now();
  queue.Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(500));
}

TEST_F(EventQueueTest, StopWhileAnEventWaitsForTheOwnerThread) {
  ASSERT_TRUE(queue.Start(&co, dispids));
  queue.PostEvent(std::make_unique<CountedRecord>(EVENT_OUTPUTCOMPLETE, 1));
  queue.PostEvent(std::make_unique<CountedRecord>(EVENT_OUTPUTCOMPLETE, 2));
  // The first is posted to the window; the owner thread does not pump.
  for (int i = 0; i < 300 && queue.Pending() != 1; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_EQ(queue.Pending(), 1u);
  const auto start = std::chrono::steady_clock::now();
  queue.Stop();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
  EXPECT_FALSE(queue.Running());
  EXPECT_EQ(g_liveRecords, 0);  // undelivered records deleted
  PumpFor(30);
  EXPECT_TRUE(co.calls.empty());  // the stale post is never handled
}

TEST_F(EventQueueTest, ClearDeletesQueuedRecordsAndRestartWorks) {
  ASSERT_TRUE(queue.Start(&co, dispids));
  queue.SetFreezeEvents(1);
  for (int i = 0; i < 4; ++i) queue.PostEvent(std::make_unique<CountedRecord>(EVENT_OUTPUTCOMPLETE, i));
  queue.Clear();
  EXPECT_EQ(queue.Pending(), 0u);
  EXPECT_EQ(g_liveRecords, 0);
  queue.Stop();
  queue.Stop();  // idempotent
  ASSERT_TRUE(queue.Start(&co, dispids));
  EXPECT_EQ(queue.FreezeEvents(), 0);  // the gates open again at start
  queue.PostEvent(MakeOutputCompleteEvent(11));
  ASSERT_TRUE(PumpUntil([&] { return co.calls.size() == 1; }));
}

TEST_F(EventQueueTest, HandlerMayStopTheQueue) {
  ASSERT_TRUE(queue.Start(&co, dispids));
  co.onError = [&] { queue.Stop(); };  // an application closing from its handler
  queue.PostEvent(MakeErrorEvent(OPOS_E_FAILURE, 0));
  queue.PostEvent(MakeOutputCompleteEvent(1));
  ASSERT_TRUE(PumpUntil([&] { return !queue.Running(); }));
  PumpFor(30);
  EXPECT_EQ(co.calls.size(), 1u);
}

TEST_F(EventQueueTest, ManyPostersKeepTheirOwnOrder) {
  ASSERT_TRUE(queue.Start(&co, dispids));
  const int kThreads = 3, kEach = 40;
  std::vector<std::thread> posters;
  for (int t = 0; t < kThreads; ++t)
    posters.emplace_back([&, t] {
      for (int i = 0; i < kEach; ++i) queue.PostEvent(MakeOutputCompleteEvent(t * 1000 + i));
    });
  std::thread freezer([&] {
    for (int i = 0; i < 20; ++i) {
      queue.SetCOFreezeEvents(i % 2);
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    queue.SetCOFreezeEvents(0);
  });
  ASSERT_TRUE(PumpUntil([&] { return co.calls.size() == kThreads * kEach; }, 10000));
  for (auto& p : posters) p.join();
  freezer.join();
  std::vector<int> next(kThreads, 0);
  for (const Call& c : co.calls) {
    const int t = c.a / 1000;
    EXPECT_EQ(c.a % 1000, next[t]++);
  }
}

}  // namespace
