// Status interpretation: decoding, properties, StatusUpdate records on change,
// power transitions and ink cartridges.
#include <gtest/gtest.h>

#include "output_fakes.h"
#include "service/printer/output_status.h"

using namespace opos;

TEST(OutputStatusDecode, PaperCoverFailureAndPowerBits) {
  struct Case {
    uint8_t s[4];
    int32_t paper, cover, failure, power;
  };
  const Case cases[] = {
      {{0x00, 0x00, 0x00, 0}, PTR_SUE_REC_PAPEROK, PTR_SUE_COVER_OK, 0, OPOS_PS_ONLINE},
      {{0x20, 0x00, 0x04, 0}, PTR_SUE_REC_EMPTY, PTR_SUE_COVER_OPEN, 0, OPOS_PS_ONLINE},
      {{0x08, 0x00, 0x01, 0}, PTR_SUE_REC_NEAREMPTY, PTR_SUE_COVER_OK, 0, OPOS_PS_OFFLINE},
      {{0x00, 0x2C, 0x0F, 0}, PTR_SUE_REC_EMPTY, PTR_SUE_COVER_OK, TAVO_EFAIL_UNRECOVERABLE, OPOS_PS_ONLINE},
      {{0x00, 0x0C, 0x00, 0}, PTR_SUE_REC_PAPEROK, PTR_SUE_COVER_OK, TAVO_EFAIL_CUTTER, OPOS_PS_ONLINE},
      {{0x00, 0x04, 0x00, 0}, PTR_SUE_REC_PAPEROK, PTR_SUE_COVER_OK, TAVO_EFAIL_MECHANICAL, OPOS_PS_ONLINE},
  };
  for (const Case& c : cases) {
    const PrinterStatusReport r = DecodePrinterStatus(c.s);
    EXPECT_EQ(r.paperStatus, c.paper);
    EXPECT_EQ(r.recEmpty, c.paper == PTR_SUE_REC_EMPTY ? 1 : 0);
    EXPECT_EQ(r.recNearEnd, c.paper == PTR_SUE_REC_NEAREMPTY ? 1 : 0);
    EXPECT_EQ(r.coverStatus, c.cover);
    EXPECT_EQ(r.failureCode, c.failure);
    EXPECT_EQ(r.powerState, c.power);
  }
}

TEST(OutputStatusDecode, CartridgeStatesErrorsAndStatus) {
  struct Case {
    uint8_t b1, b2;
    int32_t cart1, cart2, error, status;
  };
  const Case cases[] = {
      {0x00, 0x00, PTR_CART_OK, PTR_CART_OK, 0, PTR_SUE_REC_CARTRIDGE_OK},
      {0x04, 0x00, PTR_CART_REMOVED, PTR_CART_OK, OPOS_EPTR_REC_CARTRIDGE_REMOVED, PTR_SUE_REC_CARTRIDGE_EMPTY},
      {0x08, 0x00, PTR_CART_OK, PTR_CART_REMOVED, OPOS_EPTR_REC_CARTRIDGE_REMOVED, PTR_SUE_REC_CARTRIDGE_EMPTY},
      {0x02, 0x00, PTR_CART_EMPTY, PTR_CART_OK, OPOS_EPTR_REC_CARTRIDGE_EMPTY, PTR_SUE_REC_CARTRIDGE_EMPTY},
      {0x00, 0x02, PTR_CART_OK, PTR_CART_EMPTY, OPOS_EPTR_REC_CARTRIDGE_EMPTY, PTR_SUE_REC_CARTRIDGE_EMPTY},
      {0x20, 0x00, PTR_CART_CLEANING, PTR_CART_CLEANING, OPOS_EPTR_REC_HEAD_CLEANING, PTR_SUE_REC_HEAD_CLEANING},
      {0x01, 0x00, PTR_CART_NEAREND, PTR_CART_OK, 0, PTR_SUE_REC_CARTRIDGE_NEAREMPTY},
      {0x00, 0x01, PTR_CART_OK, PTR_CART_NEAREND, 0, PTR_SUE_REC_CARTRIDGE_NEAREMPTY},
      {0x06, 0x00, PTR_CART_REMOVED, PTR_CART_OK, OPOS_EPTR_REC_CARTRIDGE_REMOVED, PTR_SUE_REC_CARTRIDGE_EMPTY},
  };
  for (const Case& c : cases) {
    const uint8_t s[4] = {0x35, c.b1, c.b2, 0x00};
    const CartridgeReport r = DecodeCartridgeStatus(s);
    EXPECT_EQ(r.state[0], c.cart1) << int(c.b1) << "/" << int(c.b2);
    EXPECT_EQ(r.state[1], c.cart2) << int(c.b1) << "/" << int(c.b2);
    EXPECT_EQ(r.errorCode, c.error);
    EXPECT_EQ(r.status, c.status);
  }
}

TEST(OutputStatusReports, PaperAndCoverEventsArePostedOnChangeOnly) {
  OutputRig rig;
  rig.Status(0x00);
  rig.Status(0x00);
  rig.Status(0x20, 0x00, 0x03);
  rig.Status(0x20, 0x00, 0x03);
  EXPECT_EQ(rig.host.Events(), (std::vector<PostedEvent>{StatusEv(PTR_SUE_REC_PAPEROK), StatusEv(PTR_SUE_COVER_OK),
                                                        StatusEv(PTR_SUE_REC_NEAREMPTY),
                                                        StatusEv(PTR_SUE_COVER_OPEN)}));
  EXPECT_EQ(rig.output.CoverOpen(), 1);
  EXPECT_EQ(rig.output.RecNearEnd(), 1);
  EXPECT_EQ(rig.output.RecEmpty(), 0);
  EXPECT_EQ(rig.output.LastCoverStatus(), PTR_SUE_COVER_OPEN);
  EXPECT_EQ(rig.output.LastPaperStatus(), PTR_SUE_REC_NEAREMPTY);
}

TEST(OutputStatusReports, SensorlessModelsUpdatePropertiesWithoutEvents) {
  OutputRig rig;
  OutputConfig config;
  config.portName = "COM1";
  rig.output.Configure(config, &rig.port);
  rig.Status(0x20, 0x00, 0x0C);
  EXPECT_TRUE(rig.host.Events().empty());
  EXPECT_EQ(rig.output.CoverOpen(), 1);
  EXPECT_EQ(rig.output.RecEmpty(), 1);
}

TEST(OutputStatusReports, ForgettingReportedValuesReportsThemAgain) {
  OutputRig rig;
  rig.Status(0x00);
  rig.output.ForgetReportedStatus();
  rig.Status(0x00);
  EXPECT_EQ(rig.host.Events().size(), 4u);
}

TEST(OutputPower, OfflineThenOnlineWithPowerNotify) {
  OutputRig rig;
  rig.host.powerNotify = true;
  OutputConfig config;
  config.portName = "COM1";
  rig.output.Configure(config, &rig.port);  // no sensors: only power events
  const int resendBefore = rig.host.resendMarks;
  rig.Status(0x08);
  rig.Status(0x08);
  EXPECT_EQ(rig.host.Events(), std::vector<PostedEvent>{StatusEv(OPOS_PS_OFFLINE)});
  EXPECT_EQ(rig.output.PowerState(), OPOS_PS_OFFLINE);
  EXPECT_TRUE(rig.port.Writes().empty());
  rig.Status(0x00);
  EXPECT_EQ(rig.port.Writes(), std::vector<std::string>{Bytes({0x1D, 0x61, 0xFF})});
  EXPECT_EQ(rig.host.Events().back(), StatusEv(OPOS_PS_ONLINE));
  EXPECT_EQ(rig.output.PowerState(), OPOS_PS_ONLINE);
  EXPECT_EQ(rig.host.resendMarks, resendBefore + 1);
}

TEST(OutputPower, WithoutPowerNotifyThePrinterIsRestoredSilently) {
  OutputRig rig;
  rig.output.OnPowerState(OPOS_PS_OFFLINE);
  rig.output.OnPowerState(OPOS_PS_ONLINE);
  EXPECT_TRUE(rig.host.Events().empty());
  EXPECT_EQ(rig.output.PowerState(), OPOS_PS_UNKNOWN);
  EXPECT_EQ(rig.port.Writes(), std::vector<std::string>{Bytes({0x1D, 0x61, 0xFF})});
}

TEST(OutputPower, DisableResetsPowerStateAndCartridges) {
  OutputRig rig;
  rig.host.powerNotify = true;
  rig.output.OnPowerState(OPOS_PS_OFFLINE);
  rig.output.SetRecCartridgeState(PTR_CART_EMPTY);
  rig.output.ResetOnDisable();
  EXPECT_EQ(rig.output.PowerState(), OPOS_PS_UNKNOWN);
  EXPECT_EQ(rig.output.RecCartridgeState(), PTR_CART_OK);
  EXPECT_EQ(rig.output.LastPowerState(), COutputPath::kUnset);
}

// Disabling while a power report is under way: the monitor thread has seen
// the device enabled when the application disables it. Whatever the report
// stores is in before the reset, so PowerState reads unknown afterwards.
class DisableDuringReportHost : public FakeHost {
 public:
  COutputPath* output = nullptr;
  mutable std::thread disabler;
  mutable std::atomic<bool> resetDone{false};
  mutable bool armed = true;
  mutable std::atomic<bool> on{true};

  bool DeviceEnabled() const override {
    if (!armed) return on;
    armed = false;
    on = false;  // Disable clears DeviceEnabled, then resets
    disabler = std::thread([this] {
      output->ResetOnDisable();
      resetDone = true;
    });
    // Give the reset every chance to overtake the report in progress.
    const auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(300);
    while (!resetDone && std::chrono::steady_clock::now() < until)
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return true;  // what the report saw before the disable
  }
};

TEST(OutputPower, ADisableDuringAPowerReportLeavesPowerUnknown) {
  for (bool viaStatus : {false, true}) {
    DisableDuringReportHost host;
    host.powerNotify = true;
    COutputPath output{host};
    host.output = &output;
    if (viaStatus) {
      const uint8_t online[4] = {0x10, 0, 0, 0};
      output.OnPrinterStatus(online);
    } else {
      output.OnPowerState(OPOS_PS_ONLINE);
    }
    host.disabler.join();
    EXPECT_EQ(output.PowerState(), OPOS_PS_UNKNOWN) << viaStatus;
    EXPECT_EQ(output.LastPowerState(), COutputPath::kUnset) << viaStatus;
    // The next report, once disabled, changes nothing.
    output.OnPowerState(OPOS_PS_OFFLINE);
    EXPECT_EQ(output.PowerState(), OPOS_PS_UNKNOWN) << viaStatus;
  }
}

TEST(OutputCartridge, NotifiedStateFollowsTheCurrentCartridge) {
  OutputRig rig;
  const uint8_t empty2[4] = {0x35, 0x00, 0x02, 0x00};
  rig.output.OnCartridgeStatus(empty2);
  EXPECT_TRUE(rig.host.Events().empty());  // CartridgeNotify off
  EXPECT_EQ(rig.output.RecCartridgeState(), PTR_CART_OK);
  EXPECT_EQ(rig.output.CartridgeState(1), PTR_CART_EMPTY);
  EXPECT_EQ(rig.output.CartridgeErrorCode(), OPOS_EPTR_REC_CARTRIDGE_EMPTY);

  rig.host.cartridgeNotify = 1;
  rig.output.OnCartridgeStatus(empty2);
  rig.output.OnCartridgeStatus(empty2);
  EXPECT_EQ(rig.output.RecCartridgeState(), PTR_CART_OK);  // cartridge 1 is current
  rig.host.currentCartridge = 2;
  rig.output.OnCartridgeStatus(empty2);
  EXPECT_EQ(rig.output.RecCartridgeState(), PTR_CART_EMPTY);
  EXPECT_EQ(rig.host.Events(), std::vector<PostedEvent>{StatusEv(PTR_SUE_REC_CARTRIDGE_EMPTY)});
}

TEST(OutputCartridge, OtherRepliesAndDisabledDevicesAreIgnored) {
  OutputRig rig;
  rig.host.cartridgeNotify = 1;
  const uint8_t notInk[4] = {0x35, 0x04, 0x00, 0x01};
  rig.output.OnCartridgeStatus(notInk);
  rig.host.enabled = false;
  const uint8_t removed[4] = {0x35, 0x04, 0x00, 0x00};
  rig.output.OnCartridgeStatus(removed);
  EXPECT_TRUE(rig.host.Events().empty());
  EXPECT_EQ(rig.output.CartridgeState(0), PTR_CART_OK);
}
