#include "served_object.h"

void ServedObject::SetUp() {
  ASSERT_NE(Server().module, nullptr);
  object = CreateObject(clsid_);
  ASSERT_NE(object, nullptr);
}

void ServedObject::TearDown() {
  if (object) {
    EXPECT_EQ(object->Release(), 0u);
  }
  EXPECT_EQ(Server().canUnloadNow(), S_OK);
}

long ServedObject::Call(const wchar_t* name, std::vector<VARIANT> args) {
  VARIANT result;
  VariantInit(&result);
  EXPECT_EQ(CallByName(object, name, std::move(args), &result), S_OK) << name;
  const long value = result.vt == VT_I4 ? result.lVal : -9999;
  VariantClear(&result);
  return value;
}

void ServedObject::ExpectIdsInOrder(const std::vector<const wchar_t*>& names) {
  DISPID expected = 1;
  for (const wchar_t* name : names) {
    LPOLESTR asked[] = {const_cast<LPOLESTR>(name)};
    DISPID id = DISPID_UNKNOWN;
    EXPECT_EQ(object->GetIDsOfNames(IID_NULL, asked, 1, 2048, &id), S_OK) << name;
    EXPECT_EQ(id, expected++) << name;
  }
  LPOLESTR printerOnly[] = {const_cast<LPOLESTR>(L"PrintNormal")};
  DISPID id = 0;
  EXPECT_EQ(object->GetIDsOfNames(IID_NULL, printerOnly, 1, 2048, &id), DISP_E_UNKNOWNNAME);
}

VARIANT ServedObject::DispatchArg(IDispatch* co) {
  VARIANT arg;
  VariantInit(&arg);
  arg.vt = VT_DISPATCH;
  arg.pdispVal = co;
  co->AddRef();
  return arg;
}
