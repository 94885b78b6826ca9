// The untyped half of the automation surface: name lookup, argument
// coercion from DISPPARAMS into a CallFrame and the write-back of
// by-reference arguments and the result. CDispatchTable (dispatch_table.h)
// adds the typed thunks. Standard DISP_E_* results throughout.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstddef>

#include "service/server/call_frame.h"

namespace server {

struct MemberInfo {
  const wchar_t* name;
  const char* params;  // signature letters, see call_frame.h
  Returns result;
};

// Case-insensitive, locale-independent comparison of member names.
bool SameMemberName(const wchar_t* a, const wchar_t* b);

// Checks the call shape (flags, named and counted arguments) against the
// member; DISP_E_MEMBERNOTFOUND, DISP_E_NONAMEDARGS, DISP_E_BADPARAMCOUNT
// or E_INVALIDARG when it doesn't fit.
HRESULT CheckCallShape(const MemberInfo& member, WORD flags, const DISPPARAMS* params);

// Coerces every argument into the frame. On DISP_E_TYPEMISMATCH,
// DISP_E_OVERFLOW or DISP_E_PARAMNOTOPTIONAL, *argErr (when given) is the
// index of the offending argument in rgvarg.
HRESULT ReadArguments(const MemberInfo& member, const DISPPARAMS& params, CallFrame& frame, UINT* argErr);

// Writes by-reference arguments (passed as references) and the result back.
HRESULT WriteResults(const MemberInfo& member, DISPPARAMS& params, const CallFrame& frame, VARIANT* result);

// Fills EXCEPINFO for a call that failed with an exception inside and
// returns DISP_E_EXCEPTION; without EXCEPINFO returns the code itself.
HRESULT ReportException(EXCEPINFO* info, HRESULT code);

}  // namespace server
