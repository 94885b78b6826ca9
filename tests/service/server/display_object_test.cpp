// The line display class as a Control Object sees it: served by the
// module under its ProgID, the 29 methods of version 1.9 in the Control
// Objects' order, text arguments taken as Unicode, and its refusals
// without a usable entry.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "fake_control_object.h"
#include "served_object.h"
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

class DisplayObject : public ServedObject {
 protected:
  DisplayObject() : ServedObject(server::CLSID_LineDisplay) {}
};

TEST_F(DisplayObject, IdsFollowTheControlObjectsOrder) {
  ExpectIdsInOrder({std::begin(kDisplayMethods), std::end(kDisplayMethods)});
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
  EXPECT_EQ(Call(L"OpenService", {TextArg(L"LineDisplay"), TextArg(L"NoSuchDisplay"), DispatchArg(co)}), 106);
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
