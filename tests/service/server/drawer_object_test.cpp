// The cash drawer class as a Control Object sees it: served by the module,
// its ids in declaration order, every method reachable by name, and its
// OpenService refusals without a usable entry.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "fake_control_object.h"
#include "served_object.h"
#include "service/server/guids.h"

namespace {

const wchar_t* const kDrawerMethods[] = {
    L"COFreezeEvents",   L"CheckHealth",       L"ClaimDevice",        L"Close",
    L"DirectIO",         L"GetPropertyNumber", L"GetPropertyString",  L"OpenDrawer",
    L"OpenService",      L"ReleaseDevice",     L"SetPropertyNumber",  L"SetPropertyString",
    L"WaitForDrawerClose", L"ResetStatistics", L"RetrieveStatistics", L"UpdateStatistics",
    L"CompareFirmwareVersion", L"UpdateFirmware",
};

class DrawerObject : public ServedObject {
 protected:
  DrawerObject() : ServedObject(server::CLSID_CashDrawer) {}
};

TEST_F(DrawerObject, IdsFollowDeclarationOrder) {
  ExpectIdsInOrder({std::begin(kDrawerMethods), std::end(kDrawerMethods)});
}

TEST_F(DrawerObject, ClosedDrawerAnswersEveryMethod) {
  EXPECT_EQ(Call(L"GetPropertyNumber", {LongArg(6)}), 101);   // ResultCode: closed
  EXPECT_EQ(Call(L"GetPropertyNumber", {LongArg(1502)}), 1);
  EXPECT_EQ(Call(L"GetPropertyNumber", {LongArg(8)}), 1009001);
  EXPECT_EQ(Call(L"OpenDrawer", {}), 105);
  EXPECT_EQ(Call(L"WaitForDrawerClose", {LongArg(0), LongArg(800), LongArg(10), LongArg(10)}), 105);
  EXPECT_EQ(Call(L"CheckHealth", {LongArg(1)}), 105);
  EXPECT_EQ(Call(L"ClaimDevice", {LongArg(0)}), 106);  // nothing to claim before Open
  EXPECT_EQ(Call(L"ReleaseDevice", {}), 106);
  EXPECT_EQ(Call(L"UpdateFirmware", {TextArg(L"f")}), 106);

  LONG number = 7;
  BSTR text = SysAllocString(L"in");
  VARIANT data, str;
  VariantInit(&data);
  VariantInit(&str);
  data.vt = VT_BYREF | VT_I4;
  data.plVal = &number;
  str.vt = VT_BYREF | VT_BSTR;
  str.pbstrVal = &text;
  EXPECT_EQ(Call(L"DirectIO", {LongArg(0), data, str}), 106);
  EXPECT_EQ(number, 7);
  SysFreeString(text);
  EXPECT_EQ(Call(L"Close", {}), 0);
}

TEST_F(DrawerObject, OpenServiceRefusesDevicesWithoutAnEntry) {
  CFakeControlObject* co = new CFakeControlObject();
  EXPECT_EQ(Call(L"OpenService", {TextArg(L"CashDrawer"), TextArg(L""), DispatchArg(co)}), 106);
  EXPECT_EQ(Call(L"OpenService", {TextArg(L"CashDrawer"), TextArg(L"NoSuchDrawer"), DispatchArg(co)}), 106);
  EXPECT_EQ(Call(L"Close", {}), 0);
  EXPECT_EQ(co->RefCount(), 1u);  // the drawer kept no reference
  co->Release();
}

TEST_F(DrawerObject, ProgIdResolvesAfterRegistration) {
  ASSERT_EQ(Server().registerServer(), S_OK);
  CLSID clsid = CLSID_NULL;
  EXPECT_EQ(CLSIDFromProgID(L"Tavo.CashDrawer.ServiceObject1.9", &clsid), S_OK);
  EXPECT_TRUE(IsEqualCLSID(clsid, server::CLSID_CashDrawer));
  EXPECT_EQ(Server().unregisterServer(), S_OK);
  EXPECT_NE(CLSIDFromProgID(L"Tavo.CashDrawer.ServiceObject1.9", &clsid), S_OK);
}

}  // namespace
