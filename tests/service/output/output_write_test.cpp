// Synchronous writing: chunking, short writes, the status check by port kind
// and the completion confirmation.
#include <gtest/gtest.h>

#include "output_fakes.h"

using namespace opos;

namespace {
const char kUsbPath[] = "\\\\?\\usb#vid_0000&pid_0001#1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";
const std::string kStatusRequest = Bytes({0x10, 0x04, 0x03});

size_t Count(const std::vector<std::string>& writes, const std::string& what) {
  return static_cast<size_t>(std::count(writes.begin(), writes.end(), what));
}
}  // namespace

TEST(OutputWrite, SynchronousJobWritesPrefixThenDataUnderThePortLock) {
  OutputRig rig;
  EXPECT_EQ(rig.output.PrintImmediate(PTR_S_RECEIPT, "abc"), OPOS_SUCCESS);
  EXPECT_EQ(rig.port.Writes(), (std::vector<std::string>{"<P>", "abc"}));
  EXPECT_EQ(rig.port.UnlockedWrites(), 0);
}

TEST(OutputWrite, UnclaimedDeviceSucceedsWithoutWriting) {
  OutputRig rig;
  rig.host.claimed = false;
  rig.output.SubmitOutput(false, {"abc"});
  EXPECT_EQ(rig.host.resultCode, OPOS_SUCCESS);
  EXPECT_TRUE(rig.port.Writes().empty());
  EXPECT_EQ(rig.output.WritePort("x", 1), 0);
}

TEST(OutputWrite, ShortPortNameWritesInOneCall) {
  OutputRig rig("COM1");
  const std::string data(2000, 'x');
  EXPECT_EQ(rig.output.WritePort(data.data(), 2000), 2000);
  EXPECT_EQ(rig.port.Writes().size(), 1u);
}

TEST(OutputWrite, LongPortNameWritesEveryChunkOfALargeJob) {
  OutputRig rig(kUsbPath);
  std::string data;
  for (int i = 0; i < 2000; ++i) data.push_back(static_cast<char>(i));
  rig.output.SubmitOutput(false, {data});
  EXPECT_EQ(rig.host.resultCode, OPOS_SUCCESS);
  const std::vector<std::string> writes = rig.port.Writes();
  ASSERT_EQ(writes.size(), 1u + (2000 + 63) / 64);  // prefix, then 32 chunks
  for (const std::string& w : writes) EXPECT_LE(w.size(), 64u);
  EXPECT_EQ(rig.port.All(), "<P>" + data);
}

TEST(OutputWrite, Win9xFamilyChunksEvenShortPortNames) {
  OutputRig rig("LPT1");
  OutputConfig config;
  config.portName = "LPT1";
  config.outputBuf = 100;
  config.win9xFamily = true;
  rig.output.Configure(config, &rig.port);
  const std::string data(250, 'y');
  EXPECT_EQ(rig.output.WritePort(data.data(), 250), 250);
  EXPECT_EQ(rig.port.Writes().size(), 3u);
}

TEST(OutputWrite, NoOutputBufferSizeMeansOneWrite) {
  OutputRig rig(kUsbPath);
  OutputConfig config;
  config.portName = kUsbPath;
  config.outputBuf = 0;
  rig.output.Configure(config, &rig.port);
  const std::string data(500, 'z');
  EXPECT_EQ(rig.output.WritePort(data.data(), 500), 500);
  EXPECT_EQ(rig.port.Writes().size(), 1u);
}

TEST(OutputWrite, ShortChunkEndsTheWriteAndFailsTheJob) {
  OutputRig rig(kUsbPath);
  rig.port.budget = 3 + 100;  // prefix and a chunk and a half
  rig.output.SubmitOutput(false, {std::string(300, 'a'), "never"});
  EXPECT_EQ(rig.host.resultCode, OPOS_E_FAILURE);
  EXPECT_EQ(rig.host.resultCodeExtended, TAVO_EFAIL_SHORT_WRITE);
  const std::vector<std::string> writes = rig.port.Writes();
  ASSERT_EQ(writes.size(), 3u);  // prefix, a full chunk, the short one; nothing after
  EXPECT_EQ(writes[2].size(), 36u);
}

TEST(OutputWrite, NegativeOrNullWritesDoNothing) {
  OutputRig rig;
  EXPECT_EQ(rig.output.WritePort(nullptr, 5), 0);
  EXPECT_EQ(rig.output.WritePort("abc", -1), 0);
  EXPECT_TRUE(rig.port.Writes().empty());
}

// ---- status check before writing --------------------------------------------

struct BlockCase {
  uint8_t b0, b1, b2;
  int32_t rc, rce;
};

TEST(OutputStatusCheck, EachStatusConditionBlocksSynchronousOutputWithItsCodes) {
  const BlockCase cases[] = {
      {0x20, 0x00, 0x00, OPOS_E_EXTENDED, OPOS_EPTR_COVER_OPEN},
      {0x00, 0x00, 0x0C, OPOS_E_EXTENDED, OPOS_EPTR_REC_EMPTY},
      {0x00, 0x20, 0x00, OPOS_E_FAILURE, TAVO_EFAIL_UNRECOVERABLE},
      {0x00, 0x08, 0x00, OPOS_E_FAILURE, TAVO_EFAIL_CUTTER},
      {0x00, 0x04, 0x00, OPOS_E_FAILURE, TAVO_EFAIL_MECHANICAL},
      {0x20, 0x04, 0x0C, OPOS_E_FAILURE, TAVO_EFAIL_MECHANICAL},  // a failure comes first
  };
  for (const BlockCase& c : cases) {
    OutputRig rig;
    rig.Status(c.b0, c.b1, c.b2);
    EXPECT_EQ(rig.output.PrintImmediate(PTR_S_RECEIPT, "abc"), c.rc);
    EXPECT_EQ(rig.host.resultCodeExtended, c.rce);
    EXPECT_TRUE(rig.port.Writes().empty());
  }
}

TEST(OutputStatusCheck, PowerOffOfflineGivesNoHardware) {
  OutputRig rig;
  rig.host.powerNotify = true;
  rig.output.OnPowerState(OPOS_PS_OFF_OFFLINE);
  EXPECT_EQ(rig.output.PrintImmediate(PTR_S_RECEIPT, "abc"), OPOS_E_NOHARDWARE);
}

TEST(OutputStatusCheck, NetworkPortsWriteWhateverTheStatusButKeepTheCodes) {
  OutputRig rig("Eth192.168.0.10");
  rig.Status(0x20);
  EXPECT_EQ(rig.output.PrintImmediate(PTR_S_RECEIPT, "abc"), OPOS_E_EXTENDED);
  EXPECT_EQ(rig.host.resultCodeExtended, OPOS_EPTR_COVER_OPEN);
  EXPECT_EQ(rig.port.All(), "<P>abc");
}

TEST(OutputStatusCheck, UsbPortsBlockOnlyCoverAndPaperForSynchronousOutput) {
  OutputRig rig(kUsbPath);
  rig.Status(0x00, 0x04);
  EXPECT_EQ(rig.output.PrintImmediate(PTR_S_RECEIPT, "abc"), OPOS_E_FAILURE);
  EXPECT_EQ(rig.port.All(), "<P>abc");

  OutputRig cover(kUsbPath);
  cover.Status(0x20);
  EXPECT_EQ(cover.output.PrintImmediate(PTR_S_RECEIPT, "abc"), OPOS_E_EXTENDED);
  EXPECT_TRUE(cover.port.Writes().empty());

  OutputRig async(kUsbPath);
  async.Status(0x00, 0x04);
  async.host.async = true;
  int32_t rc = 0, rce = 0;
  EXPECT_FALSE(async.output.CheckPrinterStatus(&rc, &rce));
  EXPECT_EQ(rce, TAVO_EFAIL_MECHANICAL);
}

TEST(OutputStatusCheck, StatusIsIgnoredWhileDisabled) {
  OutputRig rig;
  rig.host.enabled = false;
  rig.Status(0x20, 0x20, 0x0C);
  EXPECT_EQ(rig.output.CoverOpen(), 0);
  EXPECT_TRUE(rig.output.CheckPrinterStatus());
}

// ---- completion confirmation ------------------------------------------------

TEST(OutputConfirm, OneReplyByteConfirms) {
  OutputRig rig;
  int32_t rc = -1, rce = -1;
  EXPECT_TRUE(rig.output.WaitPrintComplete(&rc, &rce, 300, false));
  EXPECT_EQ(rig.port.Writes(), std::vector<std::string>{kStatusRequest});
  EXPECT_EQ(rig.port.Clears(), 1);
  EXPECT_EQ(rc, 0);
}

TEST(OutputConfirm, SilenceTimesOutAfterTheLimitResendingTheRequest) {
  OutputRig rig;
  rig.port.replies = 0;
  int32_t rc = 0, rce = 0;
  EXPECT_FALSE(rig.output.WaitPrintComplete(&rc, &rce, 250, false));
  EXPECT_EQ(rc, OPOS_E_TIMEOUT);
  EXPECT_EQ(rce, 0);
  EXPECT_GE(Count(rig.port.Writes(), kStatusRequest), 3u);  // every 60 ms within 250 ms
  EXPECT_LE(rig.port.Reads(), 20);  // paced by the read wait, not a busy loop
}

TEST(OutputConfirm, NoResendSendsTheRequestOnce) {
  OutputRig rig;
  rig.port.replies = 0;
  EXPECT_FALSE(rig.output.WaitPrintComplete(nullptr, nullptr, 150, true));
  EXPECT_EQ(Count(rig.port.Writes(), kStatusRequest), 1u);
}

TEST(OutputConfirm, UnsentRequestIsATimeout) {
  OutputRig rig;
  rig.port.maxPerWrite = 2;
  int32_t rc = 0, rce = 0;
  EXPECT_FALSE(rig.output.WaitPrintComplete(&rc, &rce, 300, false));
  EXPECT_EQ(rc, OPOS_E_TIMEOUT);
  EXPECT_EQ(rig.port.Reads(), 0);
}

TEST(OutputConfirm, StatusFailureWhileWaitingIsATimeoutWithTheStatusCode) {
  OutputRig rig;
  rig.host.async = true;
  rig.port.replies = 0;
  std::thread cover([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    rig.Status(0x20);
  });
  int32_t rc = 0, rce = 0;
  EXPECT_FALSE(rig.output.WaitPrintComplete(&rc, &rce, 2000, false));
  cover.join();
  EXPECT_EQ(rc, OPOS_E_TIMEOUT);
  EXPECT_EQ(rce, OPOS_EPTR_COVER_OPEN);
}

TEST(OutputConfirm, ReleaseWhileWaitingEndsTheWait) {
  OutputRig rig;
  rig.port.replies = 0;
  std::thread release([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    rig.host.claimed = false;
  });
  EXPECT_TRUE(rig.output.WaitPrintComplete(nullptr, nullptr, 5000, false));
  release.join();
}
