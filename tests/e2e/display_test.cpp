// The line display Service Object through COM, as a Control Object drives
// it, against a loopback stand-in that keeps the bytes: created by ProgID,
// every method of version 1.9 found by name, text, positions, wrapping,
// mapped characters, brightness, blinking, CheckHealth, a dead port.
#include <gtest/gtest.h>

#include "display_link.h"
#include "event_recorder.h"
#include "platform/com/win32/dispatch_call.h"
#include "printer_session.h"

namespace {

constexpr wchar_t kDisplayProgId[] = L"Tavo.LineDisplay.ServiceObject.1.9";

// The methods the LineDisplay Control Objects of version 1.9 look up.
const wchar_t* const kMethods[] = {
    L"COFreezeEvents", L"GetPropertyNumber", L"SetPropertyNumber", L"GetPropertyString", L"SetPropertyString",
    L"OpenService", L"CheckHealth", L"ClaimDevice", L"Close", L"DirectIO", L"ReleaseDevice",
    L"ClearDescriptors", L"ClearText", L"CreateWindow", L"DestroyWindow", L"DisplayText", L"DisplayTextAt",
    L"RefreshWindow", L"ScrollText", L"SetDescriptor", L"DefineGlyph", L"ReadCharacterAtCursor",
    L"DisplayBitmap", L"SetBitmap", L"ResetStatistics", L"RetrieveStatistics", L"UpdateStatistics",
    L"CompareFirmwareVersion", L"UpdateFirmware",
};

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}
std::string At(int row, int column) { return Bytes({0x1F, 0x24, column + 1, row + 1}); }

class DisplayE2e : public testing::Test {
 protected:
  void SetUp() override {
    recorder_ = new CEventRecorder();
    ASSERT_TRUE(link_.Ready()) << "no loopback display (TAVO_E2E_DATA unset?)";
    HRESULT hr = S_OK;
    ASSERT_TRUE(display_.Create(&hr, kDisplayProgId)) << "creating the display by ProgID failed: 0x" << std::hex << hr;
  }
  void TearDown() override {
    if (display_.Object()) display_.Close();
    recorder_->Release();
  }
  void OpenClaimEnable() {
    ASSERT_EQ(display_.Call(L"OpenService", {PrinterSession::Bytes("LineDisplay"), PrinterSession::Bytes("E2EDisplay"),
                                            PrinterSession::Dispatch(recorder_)}),
              0);
    ASSERT_EQ(display_.Claim(), 0);
    display_.SetNumber(PIDX_DeviceEnabled, 1);
    ASSERT_EQ(display_.Number(PIDX_ResultCode), 0);
    ASSERT_TRUE(link_.WaitFor(Bytes({0x1F, 0x58, 4})));  // the last set-up command
  }
  long Text(const std::wstring& text, long attribute = 0) {
    return display_.Call(L"DisplayText", {dispatch::WideText(text), PrinterSession::Long(attribute)});
  }
  long TextAt(long row, long column, const std::wstring& text, long attribute = 0) {
    return display_.Call(L"DisplayTextAt", {PrinterSession::Long(row), PrinterSession::Long(column),
                                           dispatch::WideText(text), PrinterSession::Long(attribute)});
  }

  DisplayLink link_{"E2EDisplay", "QDX-200"};
  PrinterSession display_;
  CEventRecorder* recorder_ = nullptr;
};

TEST_F(DisplayE2e, EveryMethodOfTheVersionIsFoundByName) {
  for (const wchar_t* name : kMethods) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(display_.Object()->GetIDsOfNames(IID_NULL, names, 1, LOCALE_SYSTEM_DEFAULT, &id), S_OK)
        << dispatch::Narrow(name, wcslen(name));
  }
  EXPECT_EQ(display_.Number(8) / 1000, 1009);  // ServiceObjectVersion: 1.9
}

TEST_F(DisplayE2e, ShowsPositionsWrapsMapsAndClears) {
  OpenClaimEnable();
  size_t mark = link_.Received().size();
  ASSERT_EQ(Text(L"Coffee"), 0);
  ASSERT_TRUE(link_.WaitFor("Coffee", mark));
  mark = link_.Received().size();
  // Accented letters and the euro sign in the Windows set (ESC t 16).
  ASSERT_EQ(TextAt(1, 12, L"\u00e9 \u20ac2.50"), 0);
  ASSERT_TRUE(link_.WaitFor(At(1, 12) + Bytes({0xE9, ' ', 0x80}) + "2.50", mark));
  mark = link_.Received().size();
  ASSERT_EQ(TextAt(0, 16, L"WRAPPED"), 0);
  ASSERT_TRUE(link_.WaitFor(At(0, 16) + "WRAP" + At(1, 0) + "PED", mark));
  EXPECT_EQ(display_.Number(5005), 1);  // CursorRow
  EXPECT_EQ(display_.Number(5004), 3);  // CursorColumn
  mark = link_.Received().size();
  ASSERT_EQ(display_.Call(L"ClearText", {}), 0);
  ASSERT_TRUE(link_.WaitFor(At(0, 0) + std::string(20, ' '), mark));
  EXPECT_EQ(TextAt(2, 0, L"x"), 106);
  EXPECT_EQ(Text(L"a\x1b@"), 106);
}

TEST_F(DisplayE2e, DimsBlinksAndChecksItsHealth) {
  OpenClaimEnable();
  size_t mark = link_.Received().size();
  display_.SetNumber(5007, 50);  // DeviceBrightness
  ASSERT_EQ(display_.Number(PIDX_ResultCode), 0);
  ASSERT_TRUE(link_.WaitFor(Bytes({0x1F, 0x58, 3}), mark));
  EXPECT_EQ(display_.Number(5007), 60);
  mark = link_.Received().size();
  ASSERT_EQ(Text(L"SALE", 1), 0);
  ASSERT_TRUE(link_.WaitFor("SALE" + Bytes({0x1F, 0x45, 10}), mark));
  mark = link_.Received().size();
  EXPECT_EQ(display_.Call(L"CheckHealth", {PrinterSession::Long(2)}), 0);
  EXPECT_EQ(display_.Text(1000001), "External HCheck: Successful");
  ASSERT_TRUE(link_.WaitFor("0123456789ABCDEFGHIJ", mark));
  ASSERT_TRUE(link_.WaitFor("SALE", mark));  // the text comes back
  EXPECT_EQ(display_.Release(), 0);
  EXPECT_EQ(display_.Close(), 0);
  // And it opens again.
  OpenClaimEnable();
}

TEST_F(DisplayE2e, ADeadPortIsReportedAndNeverHangs) {
  link_.StopListening();
  ASSERT_EQ(display_.Call(L"OpenService", {PrinterSession::Bytes("LineDisplay"), PrinterSession::Bytes("E2EDisplay"),
                                          PrinterSession::Dispatch(recorder_)}),
            0);
  const DWORD start = GetTickCount();
  const long rc = display_.Claim();
  EXPECT_TRUE(rc == 107 || rc == 111) << rc;
  EXPECT_LT(GetTickCount() - start, 20000u);
  EXPECT_EQ(display_.Number(PIDX_Claimed), 0);
}

}  // namespace
