// The till's whole road to the shopper's display: the public LineDisplay
// Control Object, this Service Object, the port library and the virtual
// customer display, whose control line reports what the screen shows.
#include <gtest/gtest.h>

#include <cstdlib>

#include "display_link.h"
#include "platform/com/win32/dispatch_call.h"
#include "printer_session.h"
#include "vprinter_link.h"

namespace {

constexpr char kDevice[] = "VirtualDisplay";

std::string Blanks(size_t count) { return std::string(count, ' '); }

class VirtualDisplay : public testing::Test {
 protected:
  void SetUp() override {
    const char* port = std::getenv("TAVO_E2E_DISPLAY_PORT");
    if (!port || !*port) GTEST_SKIP() << "the virtual printer has no customer display";
    ASSERT_TRUE(WriteDisplayEntry(kDevice, "QDX-200", static_cast<unsigned>(std::atoi(port))));
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(L"OPOS.LineDisplay", &clsid))) GTEST_SKIP() << "OPOS.LineDisplay is not registered";
    ASSERT_TRUE(SUCCEEDED(
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IDispatch, reinterpret_cast<void**>(&co_))));
  }
  void TearDown() override {
    if (co_) {
      Call(L"Close", {});
      co_->Release();
    }
    RemoveDisplayEntry(kDevice);
  }
  long Call(const wchar_t* name, std::vector<VARIANT> args) {
    VARIANT result;
    const HRESULT hr = dispatch::InvokeByName(co_, name, DISPATCH_METHOD, std::move(args), &result);
    EXPECT_TRUE(SUCCEEDED(hr)) << dispatch::Narrow(name, wcslen(name));
    const long value = dispatch::LongOf(result, -1);
    VariantClear(&result);
    return value;
  }
  void Put(const wchar_t* name, VARIANT value) {
    EXPECT_TRUE(SUCCEEDED(dispatch::InvokeByName(co_, name, DISPATCH_PROPERTYPUT, {value}, nullptr)));
  }
  long At(long row, long column, const std::wstring& text, long attribute = 0) {
    return Call(L"DisplayTextAt",
                {dispatch::Long(row), dispatch::Long(column), dispatch::WideText(text), dispatch::Long(attribute)});
  }
  // Pumps until the display's report holds `part`.
  static bool Shows(const std::string& part, std::string* last) {
    return PumpUntil([&] {
      *last = ControlOk("display");
      return last->find(part) != std::string::npos;
    });
  }

  IDispatch* co_ = nullptr;
};

TEST_F(VirtualDisplay, TheShopperSeesWhatTheTillShows) {
  std::string json;
  ASSERT_EQ(Call(L"Open", {dispatch::Text(kDevice)}), 0);
  ASSERT_EQ(Call(L"ClaimDevice", {dispatch::Long(1000)}), 0);
  Put(L"DeviceEnabled", dispatch::Bool(true));
  ASSERT_EQ(At(0, 0, L"Caf\u00e9 cr\u00e8me"), 0);
  ASSERT_EQ(At(1, 12, L"\u20ac 4.20"), 0);
  const std::string cafe = "Caf\xc3\xa9 cr\xc3\xa8me";  // ten characters
  EXPECT_TRUE(Shows("\"rows\":[\"" + cafe + Blanks(10) + "\",\"" + Blanks(12) + "\xe2\x82\xac 4.20" + Blanks(2) + "\"]", &json))
      << json;
  EXPECT_TRUE(Shows("\"cursor\":[1,18]", &json)) << json;
  // Wrapping at the end of the row.
  ASSERT_EQ(At(0, 17, L"ABCDE"), 0);
  EXPECT_TRUE(Shows(cafe + Blanks(7) + "ABC\",\"DE", &json)) << json;
  Put(L"DeviceBrightness", dispatch::Long(40));
  EXPECT_TRUE(Shows("\"brightness\":40", &json)) << json;
  ASSERT_EQ(Call(L"DisplayText", {dispatch::WideText(L"!"), dispatch::Long(1)}), 0);
  EXPECT_TRUE(Shows("\"attrs\":[\"" + std::string(20, 'b') + "\"", &json)) << json;
  EXPECT_EQ(Call(L"CheckHealth", {dispatch::Long(3)}), 0);
  EXPECT_TRUE(Shows("ABC\",\"DE!", &json)) << json;  // the text is back after the pattern
  ASSERT_EQ(Call(L"ClearText", {}), 0);
  EXPECT_TRUE(Shows("\"rows\":[\"" + Blanks(20) + "\",\"" + Blanks(20) + "\"]", &json)) << json;
  ASSERT_EQ(Call(L"Close", {}), 0);
  ASSERT_EQ(Call(L"Open", {dispatch::Text(kDevice)}), 0);
  ASSERT_EQ(Call(L"ClaimDevice", {dispatch::Long(1000)}), 0);
  Put(L"DeviceEnabled", dispatch::Bool(true));
  ASSERT_EQ(At(0, 0, L"again"), 0);
  EXPECT_TRUE(Shows("\"rows\":[\"again", &json)) << json;
}

}  // namespace
