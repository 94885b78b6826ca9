// Shared fixture of the end-to-end tests: a fresh printer Service Object
// with its own event recorder for every test, the virtual printer put back
// to a healthy state before and after, and the Service Object closed at the
// end whatever the test did.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "e2e_setup.h"
#include "event_recorder.h"
#include "printer_session.h"
#include "vprinter_link.h"

class PrinterE2e : public testing::Test {
 protected:
  void SetUp() override {
    HealthyPrinter();
    recorder_ = new CEventRecorder();
    HRESULT hr = S_OK;
    ASSERT_TRUE(printer_.Create(&hr)) << "creating the printer by ProgID failed: 0x" << std::hex << hr;
  }

  void TearDown() override {
    if (printer_.Object()) printer_.Close();
    PumpFor(50);
    if (HasFailure()) std::printf("events received:\n%s", recorder_->Describe().c_str());
    recorder_->Release();
    HealthyPrinter();
  }

  static void HealthyPrinter() {
    for (const char* line : {"cover close", "paper ok", "online", "error clear"}) Control(line);
  }

  // OpenService, ClaimDevice and DeviceEnabled = 1, each expected to pass,
  // then waits for the first status report (paper and cover as they are),
  // so tests start from settled values. powerNotify is set while still
  // disabled, as it must be.
  void OpenClaimEnable(bool powerNotify = false) {
    ASSERT_EQ(printer_.Open(Rig().device, recorder_), 0);
    ASSERT_EQ(printer_.Claim(), 0);
    if (powerNotify) {
      printer_.SetNumber(PIDX_PowerNotify, 1);
      ASSERT_EQ(printer_.Number(PIDX_ResultCode), 0);
    }
    printer_.SetNumber(PIDX_DeviceEnabled, 1);
    ASSERT_EQ(printer_.Number(PIDX_ResultCode), 0);
    ASSERT_EQ(printer_.Number(PIDX_DeviceEnabled), 1);
    ASSERT_TRUE(PumpUntil([&] { return StatusSince(0, 12) && StatusSince(0, 26); }))
        << "no first status report\n" << recorder_->Describe();
  }

  // Pumps until a StatusUpdate with this value has arrived after `from`
  // events.
  bool WaitForStatus(long status, std::size_t from = 0, DWORD limitMs = 10000) {
    return PumpUntil([&] { return StatusSince(from, status); }, limitMs);
  }
  bool StatusSince(std::size_t from, long status) const {
    const auto& events = recorder_->Events();
    for (std::size_t i = from; i < events.size(); ++i) {
      const Event& e = events[i];
      if (e.kind == Event::StatusUpdate && !e.numbers.empty() && e.numbers[0] == status) return true;
    }
    return false;
  }

  // Pumps until the command log since `log` holds `text`.
  static bool WaitForText(const CommandLog& log, const std::string& text, DWORD limitMs = 10000) {
    return PumpUntil([&] { return log.TextSince().find(text) != std::string::npos; }, limitMs);
  }

  PrinterSession printer_;
  CEventRecorder* recorder_ = nullptr;
};
