// The line display class as a Control Object sees it: served by the
// module under its ProgID, the 29 methods of version 1.9 in the Control
// Objects' order, text arguments taken as Unicode, and its refusals
// without a usable entry.
#include <gtest/gtest.h>

#include <string>

#include "fake_control_object.h"
#include "server_dll.h"
#include "service/server/guids.h"

namespace {

const wchar_t* const kDisplayMethods[] = {
    L"COFreezeEvents", L"GetPropertyNumber", L"SetPropertyNumber", L"GetPropertyString", L"SetPropertyString",
    L"OpenService", L"CheckHealth", L"ClaimDevice", L"Close", L"DirectIO", L"ReleaseDevice",
    L"ClearDescriptors", L"ClearText", L"CreateWindow", L"DestroyWindow", L"DisplayText", L"DisplayTextAt",
    L"RefreshWindow", L"ScrollText", L"SetDescriptor", L"DefineGlyph", L"ReadCharacterAtCursor",
    L"DisplayBitmap", L"SetBitmap", L"ResetStatistics", L"RetrieveStatistics", L"UpdateStatistics",
    L"CompareFirmwareVersion", L"UpdateFirmware",
};

class DisplayObject : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_NE(Server().module, nullptr);
    display = CreateObject(server::CLSID_LineDisplay);
    ASSERT_NE(display, nullptr);
  }
  void TearDown() override {
    if (display) {
      EXPECT_EQ(display->Release(), 0u);
    }
    EXPECT_EQ(Server().canUnloadNow(), S_OK);
  }
  long Call(const wchar_t* name, std::vector<VARIANT> args) {
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(CallByName(display, name, std::move(args), &result), S_OK) << name;
    const long value = result.vt == VT_I4 ? result.lVal : -9999;
    VariantClear(&result);
    return value;
  }
  IDispatch* display = nullptr;
};

TEST_F(DisplayObject, IdsFollowTheControlObjectsOrder) {
  DISPID expected = 1;
  for (const wchar_t* name : kDisplayMethods) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(display->GetIDsOfNames(IID_NULL, names, 1, 2048, &id), S_OK) << name;
    EXPECT_EQ(id, expected++) << name;
  }
  LPOLESTR printerOnly[] = {const_cast<LPOLESTR>(L"PrintNormal")};
  DISPID id = 0;
  EXPECT_EQ(display->GetIDsOfNames(IID_NULL, printerOnly, 1, 2048, &id), DISP_E_UNKNOWNNAME);
}

TEST_F(DisplayObject, ClosedDisplayAnswersEveryMethodWithClosed) {
  EXPECT_EQ(Call(L"GetPropertyNumber", {LongArg(6)}), 101);
  EXPECT_EQ(Call(L"GetPropertyNumber", {LongArg(8)}), 1009001);
  EXPECT_EQ(Call(L"DisplayText", {TextArg(L"\u20ac"), LongArg(0)}), 101);
  EXPECT_EQ(Call(L"DisplayTextAt", {LongArg(0), LongArg(0), TextArg(L"x"), LongArg(0)}), 101);
  EXPECT_EQ(Call(L"CreateWindow", {LongArg(0), LongArg(0), LongArg(1), LongArg(1), LongArg(1), LongArg(1)}), 101);
  EXPECT_EQ(Call(L"ClaimDevice", {LongArg(0)}), 101);
  EXPECT_EQ(Call(L"CheckHealth", {LongArg(1)}), 101);
  EXPECT_EQ(Call(L"Close", {}), 0);
}

TEST_F(DisplayObject, OpenServiceRefusesDevicesWithoutAnEntry) {
  CFakeControlObject* co = new CFakeControlObject();
  VARIANT coArg;
  VariantInit(&coArg);
  coArg.vt = VT_DISPATCH;
  coArg.pdispVal = co;
  co->AddRef();
  EXPECT_EQ(Call(L"OpenService", {TextArg(L"LineDisplay"), TextArg(L"NoSuchDisplay"), coArg}), 106);
  EXPECT_EQ(Call(L"Close", {}), 0);
  EXPECT_EQ(co->RefCount(), 1u);  // the display kept no reference
  co->Release();
}

TEST_F(DisplayObject, ProgIdResolvesAfterRegistration) {
  ASSERT_EQ(Server().registerServer(), S_OK);
  CLSID clsid = CLSID_NULL;
  EXPECT_EQ(CLSIDFromProgID(L"Tavo.LineDisplay.ServiceObject.1.9", &clsid), S_OK);
  EXPECT_TRUE(IsEqualCLSID(clsid, server::CLSID_LineDisplay));
  EXPECT_EQ(Server().unregisterServer(), S_OK);
  EXPECT_NE(CLSIDFromProgID(L"Tavo.LineDisplay.ServiceObject.1.9", &clsid), S_OK);
}

}  // namespace
