// The dispatch engine against a small table of its own: lookup, DISPID
// numbering, coercion, by-reference arguments and the DISP_E_* results.
#include "service/server/dispatch_table.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "service/server/bstr_text.h"

using server::CallFrame;
using server::CDispatchTable;
using server::Returns;

namespace {

struct Target {
  std::vector<std::string> seen;
  int32_t lastLong = 0;
  std::u16string wide;
};

using Table = CDispatchTable<Target>;

const Table::Member kMembers[] = {
    {L"Add", "ll", Returns::Long, [](Target&, CallFrame& f) { f.ReturnLong(f.Long(0) + f.Long(1)); }},
    {L"Echo", "s", Returns::String, [](Target& t, CallFrame& f) {
       t.seen.push_back(f.Text(0));
       f.ReturnText(f.Text(0));
     }},
    {L"Swap", "lLS", Returns::Long, [](Target&, CallFrame& f) {
       f.Long(1) += f.Long(0);
       f.Text(2) = "[" + f.Text(2) + "]";
       f.ReturnLong(0);
     }},
    {L"Store", "l", Returns::Nothing, [](Target& t, CallFrame& f) { t.lastLong = f.Long(0); }},
    {L"Attach", "d", Returns::Long, [](Target&, CallFrame& f) { f.ReturnLong(f.Object(0) != nullptr); }},
    {L"Throw", "", Returns::Long, [](Target&, CallFrame&) { throw std::runtime_error("inside"); }},
    {L"runOut", "", Returns::Long, [](Target&, CallFrame&) { throw std::bad_alloc(); }},
};

const Table kTable(kMembers);

class DispatchTable : public testing::Test {
 protected:
  // Invokes with arguments in declaration order; the result lands in result_.
  HRESULT Call(DISPID id, std::vector<VARIANT> args, WORD flags = DISPATCH_METHOD) {
    VariantClear(&result_);
    std::vector<VARIANT> reversed(args.rbegin(), args.rend());
    DISPPARAMS params = {reversed.empty() ? nullptr : reversed.data(), nullptr, static_cast<UINT>(reversed.size()),
                         0};
    argErr_ = 99;
    HRESULT hr = kTable.Invoke(target_, id, flags, &params, &result_, &info_, &argErr_);
    for (VARIANT& v : reversed) VariantClear(&v);
    return hr;
  }
  DISPID Id(const wchar_t* name) {
    LPOLESTR names[] = {const_cast<LPOLESTR>(name)};
    DISPID id = 0;
    return SUCCEEDED(kTable.GetIDsOfNames(names, 1, &id)) ? id : DISPID_UNKNOWN;
  }
  void TearDown() override { VariantClear(&result_); }

  Target target_;
  VARIANT result_ = {};
  EXCEPINFO info_ = {};
  UINT argErr_ = 99;
};

VARIANT Long(long v) {
  VARIANT r;
  VariantInit(&r);
  r.vt = VT_I4;
  r.lVal = v;
  return r;
}

VARIANT Text(const wchar_t* s) {
  VARIANT r;
  VariantInit(&r);
  r.vt = VT_BSTR;
  r.bstrVal = SysAllocString(s);
  return r;
}

VARIANT Of(VARTYPE type, void* ref) {
  VARIANT r;
  VariantInit(&r);
  r.vt = type;
  r.byref = ref;
  return r;
}

VARIANT Missing() {
  VARIANT r;
  VariantInit(&r);
  r.vt = VT_ERROR;
  r.scode = DISP_E_PARAMNOTFOUND;
  return r;
}

TEST_F(DispatchTable, IdsFollowTableOrderAndNamesIgnoreCase) {
  EXPECT_EQ(Id(L"Add"), 1);
  EXPECT_EQ(Id(L"Echo"), 2);
  EXPECT_EQ(Id(L"runOut"), 7);
  EXPECT_EQ(Id(L"ADD"), 1);
  EXPECT_EQ(Id(L"RUNOUT"), 7);
  EXPECT_EQ(Id(L"Ad"), DISPID_UNKNOWN);
  EXPECT_EQ(Id(L"Addd"), DISPID_UNKNOWN);
}

TEST_F(DispatchTable, UnknownNamesAndParameterNames) {
  LPOLESTR names[] = {const_cast<LPOLESTR>(L"Nope"), const_cast<LPOLESTR>(L"x")};
  DISPID ids[2] = {7, 7};
  EXPECT_EQ(kTable.GetIDsOfNames(names, 1, ids), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(ids[0], DISPID_UNKNOWN);
  // A known method with parameter names we don't publish.
  names[0] = const_cast<LPOLESTR>(L"echo");
  EXPECT_EQ(kTable.GetIDsOfNames(names, 2, ids), DISP_E_UNKNOWNNAME);
  EXPECT_EQ(ids[0], 2);
  EXPECT_EQ(ids[1], DISPID_UNKNOWN);
  EXPECT_EQ(kTable.GetIDsOfNames(nullptr, 1, ids), E_POINTER);
}

TEST_F(DispatchTable, MemberNotFound) {
  EXPECT_EQ(Call(0, {}), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(Call(8, {}), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(Call(-1, {}), DISP_E_MEMBERNOTFOUND);
  EXPECT_EQ(Call(4, {Long(1)}, DISPATCH_PROPERTYPUT), DISP_E_MEMBERNOTFOUND);
}

TEST_F(DispatchTable, ParameterCountAndNamedArguments) {
  EXPECT_EQ(Call(1, {Long(1)}), DISP_E_BADPARAMCOUNT);
  EXPECT_EQ(Call(1, {Long(1), Long(2), Long(3)}), DISP_E_BADPARAMCOUNT);
  VARIANT args[] = {Long(1), Long(2)};
  DISPID named[] = {0};
  DISPPARAMS params = {args, named, 2, 1};
  EXPECT_EQ(kTable.Invoke(target_, 1, DISPATCH_METHOD, &params, &result_, nullptr, nullptr), DISP_E_NONAMEDARGS);
  EXPECT_EQ(kTable.Invoke(target_, 1, DISPATCH_METHOD, nullptr, &result_, nullptr, nullptr), E_INVALIDARG);
}

TEST_F(DispatchTable, CoercesWithVariantChangeType) {
  VARIANT small;
  VariantInit(&small);
  small.vt = VT_I2;
  small.iVal = 40;
  VARIANT real;
  VariantInit(&real);
  real.vt = VT_R8;
  real.dblVal = 2.0;
  ASSERT_EQ(Call(1, {small, real}), S_OK);
  EXPECT_EQ(result_.vt, VT_I4);
  EXPECT_EQ(result_.lVal, 42);
  ASSERT_EQ(Call(1, {Text(L"40"), Long(2)}), S_OK);
  EXPECT_EQ(result_.lVal, 42);
  ASSERT_EQ(Call(2, {Long(-7)}), S_OK);  // a number where a string is declared
  EXPECT_EQ(result_.vt, VT_BSTR);
  EXPECT_STREQ(result_.bstrVal, L"-7");
  LONG byRef = 5;
  ASSERT_EQ(Call(1, {Of(VT_BYREF | VT_I4, &byRef), Long(1)}), S_OK);  // references read through
  EXPECT_EQ(result_.lVal, 6);
}

TEST_F(DispatchTable, TypeMismatchAndOverflowNameTheArgument) {
  // rgvarg index: the last argument is 0.
  EXPECT_EQ(Call(1, {Long(1), Text(L"abc")}), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argErr_, 0u);
  EXPECT_EQ(Call(1, {Text(L"abc"), Long(1)}), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argErr_, 1u);
  VARIANT huge;
  VariantInit(&huge);
  huge.vt = VT_R8;
  huge.dblVal = 1e12;
  EXPECT_EQ(Call(1, {huge, Long(1)}), DISP_E_OVERFLOW);
  EXPECT_EQ(argErr_, 1u);
  EXPECT_EQ(Call(5, {Long(3)}), DISP_E_TYPEMISMATCH);  // a number for a dispatch pointer
  EXPECT_EQ(argErr_, 0u);
}

TEST_F(DispatchTable, MissingArgumentIsNotOptional) {
  EXPECT_EQ(Call(1, {Long(1), Missing()}), DISP_E_PARAMNOTOPTIONAL);
  EXPECT_EQ(argErr_, 0u);
  EXPECT_EQ(Call(1, {Missing(), Long(1)}), DISP_E_PARAMNOTOPTIONAL);
  EXPECT_EQ(argErr_, 1u);
}

TEST_F(DispatchTable, ReferencesAreWrittenBack) {
  LONG number = 10;
  BSTR text = SysAllocString(L"abc");
  ASSERT_EQ(Call(3, {Long(5), Of(VT_BYREF | VT_I4, &number), Of(VT_BYREF | VT_BSTR, &text)}), S_OK);
  EXPECT_EQ(number, 15);
  EXPECT_STREQ(text, L"[abc]");
  SysFreeString(text);
}

TEST_F(DispatchTable, ReferencesToVariantsAreWrittenBack) {
  // Script engines pass their variables as references to VARIANTs.
  VARIANT number = Text(L"10");
  VARIANT text = Long(7);
  ASSERT_EQ(Call(3, {Long(1), Of(VT_BYREF | VT_VARIANT, &number), Of(VT_BYREF | VT_VARIANT, &text)}), S_OK);
  EXPECT_EQ(number.vt, VT_I4);
  EXPECT_EQ(number.lVal, 11);
  EXPECT_EQ(text.vt, VT_BSTR);
  EXPECT_STREQ(text.bstrVal, L"[7]");
  VariantClear(&number);
  VariantClear(&text);
}

TEST_F(DispatchTable, ValuesForReferenceParametersAreInputOnly) {
  ASSERT_EQ(Call(3, {Long(1), Long(2), Text(L"x")}), S_OK);
  EXPECT_EQ(result_.lVal, 0);
}

TEST_F(DispatchTable, ReferencesOfOtherTypesDoNotFit) {
  SHORT small = 1;
  BSTR text = SysAllocString(L"");
  EXPECT_EQ(Call(3, {Long(1), Of(VT_BYREF | VT_I2, &small), Of(VT_BYREF | VT_BSTR, &text)}), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argErr_, 1u);
  EXPECT_EQ(Call(3, {Long(1), Of(VT_BYREF | VT_I4, nullptr), Of(VT_BYREF | VT_BSTR, &text)}), DISP_E_TYPEMISMATCH);
  SysFreeString(text);
}

TEST_F(DispatchTable, VariantReferenceToItselfIsRefused) {
  VARIANT loop;
  loop.vt = VT_BYREF | VT_VARIANT;
  loop.pvarVal = &loop;
  EXPECT_EQ(Call(5, {loop}), DISP_E_TYPEMISMATCH);
  loop.pvarVal = &loop;  // Call cleared its copy, not this one
  BSTR text = SysAllocString(L"");
  EXPECT_EQ(Call(3, {Long(1), loop, Of(VT_BYREF | VT_BSTR, &text)}), DISP_E_TYPEMISMATCH);
  EXPECT_EQ(argErr_, 1u);
  SysFreeString(text);
}

TEST_F(DispatchTable, NullByReferenceStringIsEmpty) {
  LONG number = 0;
  BSTR text = nullptr;
  ASSERT_EQ(Call(3, {Long(0), Of(VT_BYREF | VT_I4, &number), Of(VT_BYREF | VT_BSTR, &text)}), S_OK);
  EXPECT_STREQ(text, L"[]");
  SysFreeString(text);
}

TEST_F(DispatchTable, LongStringsPassWhole) {
  std::wstring big(100000, L'q');
  big[99999] = L'!';
  ASSERT_EQ(Call(2, {Text(big.c_str())}), S_OK);
  ASSERT_EQ(result_.vt, VT_BSTR);
  EXPECT_EQ(std::wstring(result_.bstrVal, SysStringLen(result_.bstrVal)), big);
  ASSERT_EQ(target_.seen.size(), 1u);
  EXPECT_EQ(target_.seen[0].size(), 100000u);
}

TEST_F(DispatchTable, NonAnsiTextCrossesAsTheCodePageAllows) {
  if (GetACP() != 1252) GTEST_SKIP() << "expectations are for code page 1252";
  ASSERT_EQ(Call(2, {Text(L"\u00e9\u4e2d\u0141")}), S_OK);
  EXPECT_EQ(target_.seen.at(0), "\xe9??");
  EXPECT_STREQ(result_.bstrVal, L"\u00e9??");
}

TEST_F(DispatchTable, ResultsAndFlags) {
  ASSERT_EQ(Call(4, {Long(9)}), S_OK);
  EXPECT_EQ(target_.lastLong, 9);
  EXPECT_EQ(result_.vt, VT_EMPTY);
  // Callers that use the value send METHOD | PROPERTYGET.
  ASSERT_EQ(Call(1, {Long(1), Long(1)}, DISPATCH_METHOD | DISPATCH_PROPERTYGET), S_OK);
  EXPECT_EQ(result_.lVal, 2);
  // No result wanted.
  VARIANT args[] = {Long(1), Long(1)};
  DISPPARAMS params = {args, nullptr, 2, 0};
  EXPECT_EQ(kTable.Invoke(target_, 1, DISPATCH_METHOD, &params, nullptr, nullptr, nullptr), S_OK);
}

TEST_F(DispatchTable, DispatchArguments) {
  ASSERT_EQ(Call(5, {VARIANT{}}), S_OK);  // VT_EMPTY: no object
  EXPECT_EQ(result_.lVal, 0);
}

TEST_F(DispatchTable, ExceptionsStayInside) {
  EXPECT_EQ(Call(6, {}), DISP_E_EXCEPTION);
  EXPECT_EQ(info_.scode, E_UNEXPECTED);
  EXPECT_EQ(Call(7, {}), DISP_E_EXCEPTION);
  EXPECT_EQ(info_.scode, E_OUTOFMEMORY);
  DISPPARAMS none = {nullptr, nullptr, 0, 0};
  EXPECT_EQ(kTable.Invoke(target_, 6, DISPATCH_METHOD, &none, nullptr, nullptr, nullptr), E_UNEXPECTED);
}

}  // namespace

namespace {

// Print text ('p') arrives as the caller's UTF-16, for the thunk to map.
const Table::Member kUnicodeMembers[] = {
    {L"Unicode", "lp", Returns::Long, [](Target& t, CallFrame& f) {
       t.wide = f.Wide(1);
       f.ReturnLong(static_cast<int32_t>(f.Wide(1).size()));
     }},
};
const Table kUnicodeTable(kUnicodeMembers);

HRESULT CallUnicode(Target& target, VARIANT text, VARIANT* result) {
  VARIANT args[] = {text, Long(2)};  // reversed
  DISPPARAMS params = {args, nullptr, 2, 0};
  VariantInit(result);
  HRESULT hr = kUnicodeTable.Invoke(target, 1, DISPATCH_METHOD, &params, result, nullptr, nullptr);
  VariantClear(&args[0]);
  return hr;
}

TEST(DispatchTablePrintText, KeepsEveryUtf16Unit) {
  Target target;
  VARIANT result;
  VARIANT text;
  VariantInit(&text);
  text.vt = VT_BSTR;
  text.bstrVal = SysAllocStringLen(L"a\0\u00E9\U0001F600", 5);  // an embedded NUL and a surrogate pair
  ASSERT_EQ(CallUnicode(target, text, &result), S_OK);
  EXPECT_EQ(target.wide, std::u16string(u"a\0\u00E9\U0001F600", 5));
  EXPECT_EQ(result.lVal, 5);
  ASSERT_EQ(CallUnicode(target, Long(-42), &result), S_OK);  // coerced like any string
  EXPECT_EQ(target.wide, u"-42");
  EXPECT_EQ(CallUnicode(target, Missing(), &result), DISP_E_PARAMNOTOPTIONAL);
}

}  // namespace
