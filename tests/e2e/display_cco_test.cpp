// A till's road to the line display: the public LineDisplay Control Object
// (OPOS.LineDisplay, registered by run-e2e.sh) opens the device by name,
// finds every method of the Service Object's version and drives it.
#include <gtest/gtest.h>

#include "display_link.h"
#include "platform/com/win32/dispatch_call.h"
#include "printer_session.h"

namespace {

std::string Bytes(std::initializer_list<int> bytes) {
  std::string s;
  for (int b : bytes) s += static_cast<char>(b);
  return s;
}
std::string At(int row, int column) { return Bytes({0x1F, 0x24, column + 1, row + 1}); }

class DisplayCco : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(link_.Ready());
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"OPOS.LineDisplay", &clsid))) GTEST_SKIP() << "OPOS.LineDisplay is not registered";
    const HRESULT hr =
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&co_));
    ASSERT_TRUE(SUCCEEDED(hr) && co_) << "creating OPOS.LineDisplay failed: 0x" << std::hex << hr;
  }
  void TearDown() override {
    if (co_) {
      Call(L"Close", {});
      co_->Release();
    }
  }
  long Call(const wchar_t* name, std::vector<VARIANT> args) { return CallOn(co_, name, std::move(args)); }
  long CallOn(IDispatch* co, const wchar_t* name, std::vector<VARIANT> args) {
    VARIANT result;
    const HRESULT hr = dispatch::InvokeByName(co, name, DISPATCH_METHOD, std::move(args), &result);
    EXPECT_TRUE(SUCCEEDED(hr)) << dispatch::Narrow(name, wcslen(name)) << ": 0x" << std::hex << hr;
    const long value = dispatch::LongOf(result, -1);
    VariantClear(&result);
    return value;
  }
  long Get(const wchar_t* name) {
    VARIANT result;
    const HRESULT hr = dispatch::InvokeByName(co_, name, DISPATCH_PROPERTYGET, {}, &result);
    EXPECT_TRUE(SUCCEEDED(hr)) << dispatch::Narrow(name, wcslen(name));
    const long value = dispatch::LongOf(result, -1);
    VariantClear(&result);
    return value;
  }
  void Put(const wchar_t* name, VARIANT value) {
    EXPECT_TRUE(SUCCEEDED(dispatch::InvokeByName(co_, name, DISPATCH_PROPERTYPUT, {value}, nullptr)))
        << dispatch::Narrow(name, wcslen(name));
  }

  IDispatch* CreateAnother() {
    CLSID clsid;
    IDispatch* co = nullptr;
    if (FAILED(CLSIDFromProgID(L"OPOS.LineDisplay", &clsid))) return nullptr;
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&co));
    return co;
  }

  DisplayLink link_{"CcoDisplay", "QDX-200"};
  IDispatch* co_ = nullptr;
};

TEST_F(DisplayCco, ATillShowsItsTextThroughTheControlObject) {
  ASSERT_EQ(Call(L"Open", {dispatch::Text("CcoDisplay")}), 0) << "OpenResult " << Get(L"OpenResult");
  ASSERT_EQ(Call(L"ClaimDevice", {dispatch::Long(1000)}), 0);
  Put(L"DeviceEnabled", dispatch::Bool(true));
  ASSERT_EQ(Get(L"ResultCode"), 0);
  EXPECT_EQ(Get(L"DeviceRows"), 2);
  EXPECT_EQ(Get(L"DeviceColumns"), 20);
  size_t mark = link_.Received().size();
  ASSERT_EQ(Call(L"DisplayTextAt", {dispatch::Long(0), dispatch::Long(0), dispatch::WideText(L"Caf\u00e9"), dispatch::Long(0)}), 0);
  ASSERT_EQ(Call(L"DisplayTextAt", {dispatch::Long(1), dispatch::Long(13), dispatch::WideText(L"\u20ac 4.20"), dispatch::Long(0)}), 0);
  ASSERT_TRUE(link_.WaitFor("Caf" + Bytes({0xE9}), mark));
  ASSERT_TRUE(link_.WaitFor(At(1, 13) + Bytes({0x80}) + " 4.20", mark));
  Put(L"DeviceBrightness", dispatch::Long(20));
  ASSERT_TRUE(link_.WaitFor(Bytes({0x1F, 0x58, 1}), mark));
  ASSERT_EQ(Call(L"DisplayText", {dispatch::WideText(L"!"), dispatch::Long(1)}), 0);
  ASSERT_TRUE(link_.WaitFor(Bytes({0x1F, 0x45, 10}), mark));
  EXPECT_EQ(Call(L"CheckHealth", {dispatch::Long(1)}), 0);
  EXPECT_EQ(Call(L"DisplayTextAt", {dispatch::Long(5), dispatch::Long(0), dispatch::WideText(L"x"), dispatch::Long(0)}), 106);
  ASSERT_EQ(Call(L"ClearText", {}), 0);
  ASSERT_EQ(Call(L"Close", {}), 0);
  // And again, as a till does after a restart.
  ASSERT_EQ(Call(L"Open", {dispatch::Text("CcoDisplay")}), 0);
  ASSERT_EQ(Call(L"ClaimDevice", {dispatch::Long(1000)}), 0);
  Put(L"DeviceEnabled", dispatch::Bool(true));
  EXPECT_EQ(Get(L"ResultCode"), 0);
}

// Two tills' Control Objects on one display: the claim is exclusive, and
// the loser gets it once the holder closes.
TEST_F(DisplayCco, TheClaimIsExclusiveBetweenControlObjects) {
  IDispatch* other = CreateAnother();
  ASSERT_NE(other, nullptr);
  ASSERT_EQ(Call(L"Open", {dispatch::Text("CcoDisplay")}), 0);
  ASSERT_EQ(CallOn(other, L"Open", {dispatch::Text("CcoDisplay")}), 0);
  ASSERT_EQ(Call(L"ClaimDevice", {dispatch::Long(1000)}), 0);
  EXPECT_EQ(CallOn(other, L"ClaimDevice", {dispatch::Long(0)}), 112);
  EXPECT_EQ(CallOn(other, L"ClaimDevice", {dispatch::Long(300)}), 112);
  EXPECT_EQ(CallOn(other, L"ClaimDevice", {dispatch::Long(-2)}), 106);
  ASSERT_EQ(Call(L"Close", {}), 0);
  EXPECT_EQ(CallOn(other, L"ClaimDevice", {dispatch::Long(1000)}), 0);
  EXPECT_EQ(Call(L"Open", {dispatch::Text("CcoDisplay")}), 0);
  EXPECT_EQ(Call(L"ClaimDevice", {dispatch::Long(0)}), 112);
  EXPECT_EQ(CallOn(other, L"Close", {}), 0);
  other->Release();
}

}  // namespace
