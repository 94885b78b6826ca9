#include "service/server/dispatch_engine.h"

#include <cstring>

#include "service/server/bstr_text.h"

namespace server {
namespace {

// Argument i of the declaration order sits at rgvarg[cArgs - 1 - i].
UINT SlotOf(const DISPPARAMS& params, size_t i) { return params.cArgs - 1 - static_cast<UINT>(i); }

bool IsMissing(const VARIANT& v) { return v.vt == VT_ERROR && v.scode == DISP_E_PARAMNOTFOUND; }

// A by-reference VARIANT that wraps another (VT_BYREF | VT_VARIANT), as
// script engines pass their variables; nullptr otherwise.
VARIANT* InnerVariant(const VARIANT& v) {
  return v.vt == (VT_BYREF | VT_VARIANT) ? v.pvarVal : nullptr;
}

HRESULT CoerceLong(const VARIANT& v, int32_t* out) {
  VARIANT tmp;
  VariantInit(&tmp);
  HRESULT hr = VariantChangeType(&tmp, const_cast<VARIANT*>(&v), 0, VT_I4);
  if (FAILED(hr)) return hr == DISP_E_OVERFLOW ? hr : DISP_E_TYPEMISMATCH;
  *out = tmp.lVal;
  return S_OK;
}

HRESULT CoerceText(const VARIANT& v, std::string* out) {
  VARIANT tmp;
  VariantInit(&tmp);
  HRESULT hr = VariantChangeType(&tmp, const_cast<VARIANT*>(&v), 0, VT_BSTR);
  if (hr == E_OUTOFMEMORY) return hr;
  if (FAILED(hr)) return DISP_E_TYPEMISMATCH;
  *out = AnsiFromBstr(tmp.bstrVal);
  VariantClear(&tmp);
  return S_OK;
}

HRESULT CoerceWide(const VARIANT& v, std::u16string* out) {
  VARIANT tmp;
  VariantInit(&tmp);
  HRESULT hr = VariantChangeType(&tmp, const_cast<VARIANT*>(&v), 0, VT_BSTR);
  if (hr == E_OUTOFMEMORY) return hr;
  if (FAILED(hr)) return DISP_E_TYPEMISMATCH;
  static_assert(sizeof(wchar_t) == sizeof(char16_t), "BSTR characters are UTF-16 units");
  if (tmp.bstrVal) out->assign(reinterpret_cast<const char16_t*>(tmp.bstrVal), SysStringLen(tmp.bstrVal));
  VariantClear(&tmp);
  return S_OK;
}

HRESULT CoerceObject(const VARIANT& arg, IDispatch** out) {
  *out = nullptr;
  // One level of VARIANT reference only: nested ones are not allowed.
  const VARIANT* inner = InnerVariant(arg);
  const VARIANT& v = inner ? *inner : arg;
  IUnknown* unknown = nullptr;
  switch (v.vt) {
    case VT_EMPTY:
    case VT_NULL:
      return S_OK;
    case VT_DISPATCH:
      unknown = v.pdispVal;
      break;
    case VT_BYREF | VT_DISPATCH:
      unknown = v.ppdispVal ? *v.ppdispVal : nullptr;
      break;
    case VT_UNKNOWN:
      unknown = v.punkVal;
      break;
    case VT_BYREF | VT_UNKNOWN:
      unknown = v.ppunkVal ? *v.ppunkVal : nullptr;
      break;
    default:
      return DISP_E_TYPEMISMATCH;
  }
  if (!unknown) return S_OK;
  return SUCCEEDED(unknown->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(out))) ? S_OK
                                                                                         : DISP_E_TYPEMISMATCH;
}

// By-reference parameters take VT_BYREF of their own type or of VARIANT;
// a plain value is taken as input only. Other references don't fit.
bool FitsReference(const VARIANT& v, VARTYPE type) {
  if (!(v.vt & VT_BYREF)) return true;
  if (v.vt == (VT_BYREF | type)) return v.byref != nullptr;
  return v.vt == (VT_BYREF | VT_VARIANT) && v.pvarVal != nullptr;
}

HRESULT ReadOne(char kind, const VARIANT& v, CallFrame& frame, size_t i) {
  if (IsMissing(v)) return DISP_E_PARAMNOTOPTIONAL;
  switch (kind) {
    case 'l':
      return CoerceLong(v, &frame.Long(i));
    case 's':
      return CoerceText(v, &frame.Text(i));
    case 'L':
      return FitsReference(v, VT_I4) ? CoerceLong(v, &frame.Long(i)) : DISP_E_TYPEMISMATCH;
    case 'S':
      if (!FitsReference(v, VT_BSTR)) return DISP_E_TYPEMISMATCH;
      if (HRESULT hr = CoerceText(v, &frame.Text(i)); FAILED(hr)) return hr;
      frame.KeepReadText(i);
      return S_OK;
    case 'p':
      return CoerceWide(v, &frame.Wide(i));
    case 'd': {
      IDispatch* object = nullptr;
      HRESULT hr = CoerceObject(v, &object);
      frame.SetObject(i, object);
      return hr;
    }
    default:
      return E_UNEXPECTED;
  }
}

HRESULT WriteLong(VARIANT& v, int32_t value) {
  if (v.vt == (VT_BYREF | VT_I4)) {
    *v.plVal = value;
  } else if (VARIANT* inner = InnerVariant(v)) {
    VariantClear(inner);
    inner->vt = VT_I4;
    inner->lVal = value;
  }
  return S_OK;
}

HRESULT WriteText(VARIANT& v, const std::string& value) {
  BSTR* target = nullptr;
  VARIANT* inner = InnerVariant(v);
  if (v.vt == (VT_BYREF | VT_BSTR)) {
    target = v.pbstrVal;
  } else if (!inner) {
    return S_OK;  // passed by value: nothing to hand back
  }
  BSTR text = BstrFromAnsi(value);
  if (!text) return E_OUTOFMEMORY;
  if (target) {
    SysFreeString(*target);
    *target = text;
  } else {
    VariantClear(inner);
    inner->vt = VT_BSTR;
    inner->bstrVal = text;
  }
  return S_OK;
}

}  // namespace

bool SameMemberName(const wchar_t* a, const wchar_t* b) {
  return a && b && CompareStringOrdinal(a, -1, b, -1, TRUE) == CSTR_EQUAL;
}

HRESULT CheckCallShape(const MemberInfo& member, WORD flags, const DISPPARAMS* params) {
  if (!(flags & (DISPATCH_METHOD | DISPATCH_PROPERTYGET))) return DISP_E_MEMBERNOTFOUND;
  if (!params) return E_INVALIDARG;
  if (params->cArgs && !params->rgvarg) return E_INVALIDARG;
  if (params->cNamedArgs) return DISP_E_NONAMEDARGS;
  if (params->cArgs != std::strlen(member.params)) return DISP_E_BADPARAMCOUNT;
  return S_OK;
}

HRESULT ReadArguments(const MemberInfo& member, const DISPPARAMS& params, CallFrame& frame, UINT* argErr) {
  const size_t count = std::strlen(member.params);
  frame.Resize(count);
  for (size_t i = 0; i < count; ++i) {
    const UINT slot = SlotOf(params, i);
    HRESULT hr = ReadOne(member.params[i], params.rgvarg[slot], frame, i);
    if (FAILED(hr)) {
      if (argErr && hr != E_OUTOFMEMORY) *argErr = slot;
      return hr;
    }
  }
  return S_OK;
}

HRESULT WriteResults(const MemberInfo& member, DISPPARAMS& params, const CallFrame& frame, VARIANT* result) {
  const size_t count = std::strlen(member.params);
  for (size_t i = 0; i < count; ++i) {
    VARIANT& v = params.rgvarg[SlotOf(params, i)];
    HRESULT hr = S_OK;
    if (member.params[i] == 'L') hr = WriteLong(v, frame.Long(i));
    // A text the method left as it was stays the caller's own string.
    if (member.params[i] == 'S' && frame.TextChanged(i)) hr = WriteText(v, frame.Text(i));
    if (FAILED(hr)) return hr;
  }
  if (!result) return S_OK;
  VariantInit(result);
  if (member.result == Returns::Long) {
    result->vt = VT_I4;
    result->lVal = frame.ResultLong();
  } else if (member.result == Returns::String) {
    BSTR text = BstrFromAnsi(frame.ResultText());
    if (!text) return E_OUTOFMEMORY;
    result->vt = VT_BSTR;
    result->bstrVal = text;
  }
  return S_OK;
}

HRESULT ReportException(EXCEPINFO* info, HRESULT code) {
  if (!info) return code;
  std::memset(info, 0, sizeof *info);
  info->scode = code;
  return DISP_E_EXCEPTION;
}

}  // namespace server
