// ptrservice.dll loaded by path: its factories, the module lock and the
// printer's automation surface as a Control Object sees it.
#include <gtest/gtest.h>

#include <iterator>
#include <string>

#include "fake_control_object.h"
#include "server_dll.h"
#include "service/server/guids.h"

namespace {

// The printer's methods in declaration order with their argument counts.
struct Method {
  const wchar_t* name;
  unsigned args;
};
const Method kPrinterMethods[] = {
    {L"GetPropertyNumber", 1}, {L"SetPropertyNumber", 2}, {L"GetPropertyString", 1}, {L"SetPropertyString", 2},
    {L"OpenService", 3},       {L"Close", 0},             {L"ClaimDevice", 1},       {L"ReleaseDevice", 0},
    {L"CheckHealth", 1},       {L"DirectIO", 3},          {L"COFreezeEvents", 1},    {L"ClearOutput", 0},
    {L"BeginInsertion", 1},    {L"BeginRemoval", 1},      {L"EndInsertion", 0},      {L"EndRemoval", 0},
    {L"CutPaper", 1},          {L"PrintBarCode", 7},      {L"PrintBitmap", 4},       {L"PrintImmediate", 2},
    {L"PrintNormal", 2},       {L"PrintTwoNormal", 3},    {L"RotatePrint", 2},       {L"SetBitmap", 5},
    {L"SetLogo", 2},           {L"TransactionPrint", 2},  {L"ValidateData", 2},      {L"ChangePrintSide", 1},
    {L"MarkFeed", 1},          {L"ResetStatistics", 1},   {L"RetrieveStatistics", 1}, {L"UpdateStatistics", 1},
    {L"CompareFirmwareVersion", 2}, {L"UpdateFirmware", 1}, {L"ClearPrintArea", 0}, {L"pageModePrint", 1},
};

DISPID IdOf(IDispatch* object, const wchar_t* name) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
  DISPID id = DISPID_UNKNOWN;
  object->GetIDsOfNames(IID_NULL, names, 1, LOCALE_USER_DEFAULT, &id);
  return id;
}

class Module : public testing::Test {
 protected:
  void SetUp() override { ASSERT_NE(Server().module, nullptr) << "ptrservice.dll not found beside the test"; }
};

TEST_F(Module, ExportsAllFourEntryPoints) {
  EXPECT_NE(Server().getClassObject, nullptr);
  EXPECT_NE(Server().canUnloadNow, nullptr);
  EXPECT_NE(Server().registerServer, nullptr);
  EXPECT_NE(Server().unregisterServer, nullptr);
}

TEST_F(Module, UnknownClassIsNotAvailable) {
  void* out = reinterpret_cast<void*>(1);
  EXPECT_EQ(Server().getClassObject(server::DIID_POSPrinter, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(out, nullptr);
  EXPECT_EQ(Server().getClassObject(CLSID_NULL, IID_IClassFactory, &out), CLASS_E_CLASSNOTAVAILABLE);
  EXPECT_EQ(Server().getClassObject(server::CLSID_POSPrinter, IID_IDispatch, &out), E_NOINTERFACE);
}

TEST_F(Module, ObjectsAndFactoriesHoldTheModule) {
  ASSERT_EQ(Server().canUnloadNow(), S_OK);
  IClassFactory* factory = nullptr;
  ASSERT_EQ(Server().getClassObject(server::CLSID_POSPrinter, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
            S_OK);
  EXPECT_EQ(Server().canUnloadNow(), S_FALSE);
  IDispatch* first = nullptr;
  IDispatch* second = nullptr;
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&first)), S_OK);
  ASSERT_EQ(factory->CreateInstance(nullptr, IID_IDispatch, reinterpret_cast<void**>(&second)), S_OK);
  EXPECT_NE(first, second);  // a new object for every request
  factory->Release();
  EXPECT_EQ(Server().canUnloadNow(), S_FALSE);
  first->Release();
  EXPECT_EQ(Server().canUnloadNow(), S_FALSE);
  second->Release();
  EXPECT_EQ(Server().canUnloadNow(), S_OK);
}

TEST_F(Module, LockServerHoldsTheModule) {
  IClassFactory* factory = nullptr;
  ASSERT_EQ(Server().getClassObject(server::CLSID_POSPrinter, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
            S_OK);
  factory->LockServer(TRUE);
  factory->Release();
  EXPECT_EQ(Server().canUnloadNow(), S_FALSE);
  Server().getClassObject(server::CLSID_POSPrinter, IID_IClassFactory, reinterpret_cast<void**>(&factory));
  factory->LockServer(FALSE);
  factory->Release();
  EXPECT_EQ(Server().canUnloadNow(), S_OK);
}

TEST_F(Module, FactoryRefusesAggregationAndUnknownInterfaces) {
  IClassFactory* factory = nullptr;
  ASSERT_EQ(Server().getClassObject(server::CLSID_POSPrinter, IID_IClassFactory, reinterpret_cast<void**>(&factory)),
            S_OK);
  CFakeControlObject* outer = new CFakeControlObject();
  void* out = nullptr;
  EXPECT_EQ(factory->CreateInstance(outer, IID_IUnknown, &out), CLASS_E_NOAGGREGATION);
  EXPECT_EQ(factory->CreateInstance(nullptr, IID_IClassFactory, &out), E_NOINTERFACE);
  EXPECT_EQ(out, nullptr);
  outer->Release();
  factory->Release();
  EXPECT_EQ(Server().canUnloadNow(), S_OK);
}

TEST_F(Module, PrinterAnswersItsInterfaces) {
  IDispatch* printer = CreatePrinter();
  ASSERT_NE(printer, nullptr);
  IUnknown* unknown = nullptr;
  EXPECT_EQ(printer->QueryInterface(IID_IUnknown, reinterpret_cast<void**>(&unknown)), S_OK);
  IDispatch* viaIid = nullptr;
  EXPECT_EQ(printer->QueryInterface(server::DIID_POSPrinter, reinterpret_cast<void**>(&viaIid)), S_OK);
  void* none = nullptr;
  EXPECT_EQ(printer->QueryInterface(IID_IClassFactory, &none), E_NOINTERFACE);
  unknown->Release();
  viaIid->Release();
  EXPECT_EQ(printer->Release(), 0u);
}

TEST_F(Module, PrinterIdsFollowDeclarationOrder) {
  IDispatch* printer = CreatePrinter();
  ASSERT_NE(printer, nullptr);
  DISPID expected = 1;
  for (const Method& m : kPrinterMethods) EXPECT_EQ(IdOf(printer, m.name), expected++) << m.name;
  EXPECT_EQ(IdOf(printer, L"pageModePrint"), 36);
  EXPECT_EQ(IdOf(printer, L"PAGEMODEPRINT"), 36);
  EXPECT_EQ(IdOf(printer, L"printnormal"), 21);
  EXPECT_EQ(IdOf(printer, L"OpenDrawer"), DISPID_UNKNOWN);
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"PrintNormal")};
  DISPID id = 0;
  EXPECT_EQ(printer->GetIDsOfNames(server::DIID_POSPrinter, names, 1, 0, &id), DISP_E_UNKNOWNINTERFACE);
  printer->Release();
}

// Arguments of the right kinds for a method: longs everywhere, strings
// where the method takes text, references for its by-reference slots.
std::vector<VARIANT> ArgsFor(const std::wstring& name, unsigned count, LONG* number, BSTR* text) {
  std::vector<VARIANT> args;
  for (unsigned i = 0; i < count; ++i) args.push_back(LongArg(0));
  if (name == L"DirectIO") args = {LongArg(0), RefArg(VT_I4, number), RefArg(VT_BSTR, text)};
  if (name == L"RetrieveStatistics") args = {RefArg(VT_BSTR, text)};
  if (name == L"CompareFirmwareVersion") args = {TextArg(L"f"), RefArg(VT_I4, number)};
  if (name == L"OpenService") args = {TextArg(L"POSPrinter"), TextArg(L"NoSuchDevice"), VARIANT{}};
  return args;
}

VARTYPE ResultOf(const std::wstring& name) {
  if (name == L"SetPropertyNumber" || name == L"SetPropertyString") return VT_EMPTY;
  return name == L"GetPropertyString" ? VT_BSTR : VT_I4;
}

TEST_F(Module, EveryPrinterMethodIsReachableByName) {
  IDispatch* printer = CreatePrinter();
  ASSERT_NE(printer, nullptr);
  for (const Method& m : kPrinterMethods) {
    LONG number = 0;
    BSTR text = SysAllocString(L"");
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(CallByName(printer, m.name, ArgsFor(m.name, m.args, &number, &text), &result), S_OK) << m.name;
    EXPECT_EQ(result.vt, ResultOf(m.name)) << m.name;
    VariantClear(&result);
    SysFreeString(text);
  }
  printer->Release();
}

// DirectIO leaves its string argument as the application passed it, also
// characters no ANSI code page holds, whether the command succeeds or not.
TEST_F(Module, DirectIOHandsItsStringBackUnchanged) {
  IDispatch* printer = CreatePrinter();
  ASSERT_NE(printer, nullptr);
  const std::wstring original = L"Z\u00FCrich \u4E2D\u6587 \u2605 \u20AC";
  for (long command : {1L, 9L}) {
    LONG data = 3;
    BSTR text = SysAllocString(original.c_str());
    VARIANT result;
    VariantInit(&result);
    EXPECT_EQ(CallByName(printer, L"DirectIO", {LongArg(command), RefArg(VT_I4, &data), RefArg(VT_BSTR, &text)}, &result),
              S_OK);
    EXPECT_EQ(data, 3);
    EXPECT_EQ(std::wstring(text, SysStringLen(text)), original) << command;

    // The same through a VARIANT passed by reference.
    VARIANT inner;
    VariantInit(&inner);
    inner.vt = VT_BSTR;
    inner.bstrVal = SysAllocString(original.c_str());
    EXPECT_EQ(CallByName(printer, L"DirectIO", {LongArg(command), RefArg(VT_I4, &data), RefArg(VT_VARIANT, &inner)}, &result),
              S_OK);
    ASSERT_EQ(inner.vt, VT_BSTR);
    EXPECT_EQ(std::wstring(inner.bstrVal, SysStringLen(inner.bstrVal)), original) << command;
    VariantClear(&inner);
    SysFreeString(text);
  }
  printer->Release();
}

TEST_F(Module, PrinterRejectsMalformedCalls) {
  IDispatch* printer = CreatePrinter();
  ASSERT_NE(printer, nullptr);
  VARIANT result;
  VariantInit(&result);
  EXPECT_EQ(CallByName(printer, L"PrintNormal", {LongArg(2)}, &result), DISP_E_BADPARAMCOUNT);
  UINT argErr = 99;
  EXPECT_EQ(CallByName(printer, L"PrintNormal", {TextArg(L"two"), TextArg(L"x")}, &result, &argErr),
            DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argErr, 1u);
  EXPECT_EQ(CallByName(printer, L"NoSuchMethod", {}, &result), DISP_E_UNKNOWNNAME);
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  EXPECT_EQ(printer->Invoke(37, IID_NULL, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr),
            DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(printer->Invoke(6, server::DIID_POSPrinter, 0, DISPATCH_METHOD, &none, &result, nullptr, nullptr),
            DISP_E_UNKNOWNINTERFACE);
  printer->Release();
}

TEST_F(Module, TypeInformationFailsCleanlyWithoutARegisteredLibrary) {
  IDispatch* printer = CreatePrinter();
  ASSERT_NE(printer, nullptr);
  UINT count = 0;
  EXPECT_EQ(printer->GetTypeInfoCount(&count), S_OK);
  EXPECT_EQ(count, 1u);
  ITypeInfo* info = reinterpret_cast<ITypeInfo*>(1);
  EXPECT_EQ(printer->GetTypeInfo(1, 0, &info), DISP_E_BADINDEX);
  EXPECT_EQ(info, nullptr);
  HRESULT hr = printer->GetTypeInfo(0, 0, &info);
  if (FAILED(hr)) {
    EXPECT_EQ(info, nullptr);
  } else {
    info->Release();  // a library someone registered
  }
  printer->Release();
}

// The Control Object owns the Service Object; a reference back would keep
// both alive when the application drops the Control Object without Close.
TEST_F(Module, ServiceObjectKeepsNoReferenceOnItsControlObject) {
  CFakeControlObject* control = new CFakeControlObject();
  IDispatch* printer = CreatePrinter();
  ASSERT_NE(printer, nullptr);
  VARIANT co;
  VariantInit(&co);
  co.vt = VT_DISPATCH;
  co.pdispVal = control;
  control->AddRef();  // the argument's reference, cleared after the call
  VARIANT result;
  VariantInit(&result);
  ASSERT_EQ(CallByName(printer, L"OpenService", {TextArg(L"POSPrinter"), TextArg(L"NoSuchDevice"), co}, &result),
            S_OK);
  EXPECT_EQ(result.vt, VT_I4);
  EXPECT_EQ(control->RefCount(), 1u);
  EXPECT_EQ(CallByName(printer, L"Close", {}, &result), S_OK);
  EXPECT_EQ(printer->Release(), 0u);
  EXPECT_EQ(control->RefCount(), 1u);
  control->Release();
}

}  // namespace
