// Open, claim, enable, release and close against the virtual printer: the
// bytes each step puts on the wire, read back from the printer's log.
#include "e2e_fixture.h"

namespace {

// ESC = 1, ESC c 3 15, ESC c 4 0, then NUL NUL ESC @.
const char kHandshake[] = "1b3d011b63330f1b633400";
const char kInitialise[] = "00001b40";
// GS a 15 and three NULs: automatic status back for drawer, on line, errors, paper.
const char kEnable[] = "1d610f000000";

using LifeCycle = PrinterE2e;

TEST_F(LifeCycle, MissingDeviceEntryIsRefusedAndCloseStillSucceeds) {
  EXPECT_EQ(printer_.Open("NoSuchPrinterE2E", recorder_), 106);
  EXPECT_EQ(printer_.Close(), 0);
  EXPECT_EQ(printer_.Close(), 0);
}

TEST_F(LifeCycle, ClaimSendsTheHandshakeOnceAndEnableTurnsOnStatusBack) {
  CommandLog log;
  ASSERT_EQ(printer_.Open(Rig().device, recorder_), 0);
  EXPECT_EQ(printer_.Number(PIDX_State), 2);
  ASSERT_EQ(printer_.Claim(), 0);
  EXPECT_EQ(printer_.Number(PIDX_Claimed), 1);
  ASSERT_TRUE(PumpUntil([&] { return HexOccurrences(log.HexSince(), kInitialise) > 0; }))
      << "no handshake reached the printer; log since claim: " << log.HexSince();
  // The port's monitor may put its own status-back request between the
  // two writes of the handshake; each write arrives whole and in order.
  std::string claimed = log.HexSince();
  EXPECT_EQ(HexOccurrences(claimed, kHandshake), 1) << claimed;
  EXPECT_EQ(HexOccurrences(claimed, kInitialise), 1) << claimed;
  EXPECT_LT(claimed.find(kHandshake), claimed.find(kInitialise)) << claimed;

  EXPECT_EQ(printer_.Claim(), 0);  // already claimed: nothing more is sent
  PumpFor(300);
  EXPECT_EQ(HexOccurrences(log.HexSince(), kHandshake), 1);

  CommandLog enabling;
  printer_.SetNumber(PIDX_DeviceEnabled, 1);
  EXPECT_EQ(printer_.Number(PIDX_ResultCode), 0);
  printer_.SetNumber(PIDX_DeviceEnabled, 1);  // unchanged: sent once
  ASSERT_TRUE(PumpUntil([&] { return HexOccurrences(enabling.HexSince(), kEnable) > 0; }))
      << enabling.HexSince();
  PumpFor(300);
  EXPECT_EQ(HexOccurrences(enabling.HexSince(), kEnable), 1);
  bool asbOn = false;
  for (const LoggedCommand& c : enabling.Since()) {
    if (c.cmd == "asb-enable" && c.args == std::vector<long>{15}) asbOn = true;
  }
  EXPECT_TRUE(asbOn) << "the printer did not decode GS a 15";
  // Automatic status back works: the first report arrives unasked.
  EXPECT_TRUE(PumpUntil([&] { return StatusSince(0, 12); })) << recorder_->Describe();
}

TEST_F(LifeCycle, EnableWithoutClaimIsRefusedAndSendsNothing) {
  ASSERT_EQ(printer_.Open(Rig().device, recorder_), 0);
  CommandLog log;
  printer_.SetNumber(PIDX_DeviceEnabled, 1);
  EXPECT_EQ(printer_.Number(PIDX_ResultCode), 103);
  EXPECT_EQ(printer_.Number(PIDX_DeviceEnabled), 0);
  PumpFor(300);
  EXPECT_TRUE(log.Since().empty());
}

TEST_F(LifeCycle, ReleaseDisablesAndFreesThePortForTheNextObject) {
  OpenClaimEnable(true);
  EXPECT_EQ(printer_.Release(), 0);
  EXPECT_EQ(printer_.Number(PIDX_Claimed), 0);
  EXPECT_EQ(printer_.Number(PIDX_DeviceEnabled), 0);
  EXPECT_EQ(printer_.Number(PIDX_PowerState), 2000);
  EXPECT_EQ(printer_.Release(), 106);
  EXPECT_EQ(printer_.Close(), 0);

  // A second Service Object on the same device gets the port and the printer.
  PrinterSession second;
  ASSERT_TRUE(second.Create());
  CEventRecorder* events = new CEventRecorder();
  CommandLog log;
  EXPECT_EQ(second.Open(Rig().device, events), 0);
  EXPECT_EQ(second.Claim(), 0);
  EXPECT_TRUE(PumpUntil([&] { return HexOccurrences(log.HexSince(), kHandshake) == 1; }));
  EXPECT_EQ(second.Close(), 0);
  events->Release();
}

}  // namespace
