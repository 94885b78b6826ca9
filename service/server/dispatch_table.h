// A class's automation surface as one table: each row names a method, its
// parameter signature (call_frame.h), its result kind and a thunk that calls
// the C++ member. DISPIDs are the row numbers from 1, in table order, so the
// declaration order is the numbering. Name lookup ignores case.
#pragma once

#include <windows.h>
#include <oaidl.h>

#include <cstddef>
#include <new>

#include "service/server/dispatch_engine.h"

namespace server {

template <class T>
class CDispatchTable {
 public:
  struct Member {
    const wchar_t* name;
    const char* params;
    Returns result;
    void (*call)(T& target, CallFrame& frame);
  };

  template <size_t N>
  constexpr explicit CDispatchTable(const Member (&members)[N]) : members_(members), count_(N) {}

  size_t Count() const { return count_; }
  const Member& At(size_t i) const { return members_[i]; }

  // Only the method name (names[0]) is known; parameter names are not.
  HRESULT GetIDsOfNames(LPOLESTR* names, UINT count, DISPID* ids) const {
    if (!names || !ids) return E_POINTER;
    if (count == 0) return E_INVALIDARG;
    for (UINT i = 0; i < count; ++i) ids[i] = DISPID_UNKNOWN;
    for (size_t m = 0; m < count_; ++m) {
      if (SameMemberName(members_[m].name, names[0])) {
        ids[0] = static_cast<DISPID>(m + 1);
        return count == 1 ? S_OK : DISP_E_UNKNOWNNAME;
      }
    }
    return DISP_E_UNKNOWNNAME;
  }

  HRESULT Invoke(T& target, DISPID id, WORD flags, DISPPARAMS* params, VARIANT* result, EXCEPINFO* info,
                 UINT* argErr) const {
    if (id < 1 || static_cast<size_t>(id) > count_) return DISP_E_MEMBERNOTFOUND;
    const Member& member = members_[id - 1];
    const MemberInfo shape{member.name, member.params, member.result};
    HRESULT hr = CheckCallShape(shape, flags, params);
    if (FAILED(hr)) return hr;
    try {
      CallFrame frame;
      hr = ReadArguments(shape, *params, frame, argErr);
      if (FAILED(hr)) return hr;
      member.call(target, frame);
      return WriteResults(shape, *params, frame, result);
    } catch (const std::bad_alloc&) {
      return ReportException(info, E_OUTOFMEMORY);
    } catch (...) {
      return ReportException(info, E_UNEXPECTED);
    }
  }

 private:
  const Member* members_;
  size_t count_;
};

}  // namespace server
