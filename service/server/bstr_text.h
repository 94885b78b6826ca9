// BSTR <-> 8-bit text in the ANSI code page, the one place where the
// Service Objects' text crosses the automation boundary. Lengths come from
// the BSTR itself, so embedded NULs (binary print data) survive; sizes are
// measured first, so multi-byte code pages and long strings never overrun.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

namespace server {

// Characters without a mapping become the code page's default character
// ('?' in the Western ones), never a best-fit look-alike. A null BSTR is the
// empty text.
std::string AnsiFromBstr(BSTR text);
std::string AnsiFromWide(const wchar_t* text, size_t length);

// 8-bit text in the ANSI code page as UTF-16 (empty if it can't be read).
std::u16string WideFromAnsi(const std::string& text);

// A new BSTR (the caller frees it); nullptr only when memory runs out.
BSTR BstrFromAnsi(const std::string& text);

}  // namespace server
