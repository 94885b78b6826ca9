// Calls through IDispatch: by dispatch id (devsetup's Control Object
// wrappers) or by name (the Control Object stand-in and the demo calling a
// Service Object). Arguments are given in declaration order and cleared
// after the call. Text is 8-bit ANSI on our side, BSTR on the other.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

namespace dispatch {

std::wstring Widen(const std::string& text);
std::string Narrow(const wchar_t* text, size_t length);
std::string Narrow(BSTR text);

VARIANT Long(long value);
VARIANT Bool(bool value);
VARIANT Text(const std::string& text);
VARIANT WideText(const std::wstring& text);  // Unicode as given, no round trip through ANSI
std::string Utf8(const std::wstring& text);
VARIANT Object(IDispatch* object);  // adds a reference, dropped with the argument

// Invoke with flags DISPATCH_METHOD, DISPATCH_PROPERTYGET or
// DISPATCH_PROPERTYPUT (the last argument is then the value). *result,
// when given, is initialised and receives the answer.
HRESULT Invoke(IDispatch* object, DISPID id, WORD flags, std::vector<VARIANT> args, VARIANT* result);
// The same after GetIDsOfNames; DISP_E_UNKNOWNNAME when there is no such member.
HRESULT InvokeByName(IDispatch* object, const wchar_t* name, WORD flags, std::vector<VARIANT> args,
                     VARIANT* result);

// A result as a number (VT_I4, VT_I2, VT_BOOL, ...); fallback otherwise.
long LongOf(const VARIANT& value, long fallback);
// Argument i in declaration order of an incoming call (DISPPARAMS holds
// them reversed), read through references; null past the end.
const VARIANT* Argument(const DISPPARAMS* params, UINT i);

}  // namespace dispatch
