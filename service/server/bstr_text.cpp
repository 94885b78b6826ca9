#include "service/server/bstr_text.h"

#include <climits>

namespace server {
namespace {

// Last resort when the code page rejects the text: ASCII stays, the rest '?'.
std::string AsciiOnly(const wchar_t* text, size_t length) {
  std::string out(length, '?');
  for (size_t i = 0; i < length; ++i) {
    if (text[i] < 0x80) out[i] = static_cast<char>(text[i]);
  }
  return out;
}

}  // namespace

std::string AnsiFromWide(const wchar_t* text, size_t length) {
  if (!text || length == 0) return {};
  if (length > INT_MAX / 4) return AsciiOnly(text, length);
  const int n = static_cast<int>(length);
  // UTF-8 and some other code pages refuse WC_NO_BEST_FIT_CHARS.
  for (DWORD flags : {static_cast<DWORD>(WC_NO_BEST_FIT_CHARS), static_cast<DWORD>(0)}) {
    int size = WideCharToMultiByte(CP_ACP, flags, text, n, nullptr, 0, nullptr, nullptr);
    if (size <= 0) continue;
    std::string out(static_cast<size_t>(size), '\0');
    int written = WideCharToMultiByte(CP_ACP, flags, text, n, &out[0], size, nullptr, nullptr);
    if (written <= 0) continue;
    out.resize(static_cast<size_t>(written));
    return out;
  }
  return AsciiOnly(text, length);
}

std::string AnsiFromBstr(BSTR text) { return AnsiFromWide(text, text ? SysStringLen(text) : 0); }

std::u16string WideFromAnsi(const std::string& text) {
  if (text.empty() || text.size() > INT_MAX / 2) return {};
  const int n = static_cast<int>(text.size());
  int size = MultiByteToWideChar(CP_ACP, 0, text.data(), n, nullptr, 0);
  if (size <= 0) return {};
  std::u16string out(static_cast<size_t>(size), u'\0');
  int written = MultiByteToWideChar(CP_ACP, 0, text.data(), n, reinterpret_cast<wchar_t*>(&out[0]), size);
  out.resize(written > 0 ? static_cast<size_t>(written) : 0);
  return out;
}

BSTR BstrFromAnsi(const std::string& text) {
  if (text.empty()) return SysAllocStringLen(L"", 0);
  if (text.size() > INT_MAX / 2) return nullptr;
  const int n = static_cast<int>(text.size());
  int size = MultiByteToWideChar(CP_ACP, 0, text.data(), n, nullptr, 0);
  if (size <= 0) return nullptr;
  BSTR out = SysAllocStringLen(nullptr, static_cast<UINT>(size));
  if (!out) return nullptr;
  int written = MultiByteToWideChar(CP_ACP, 0, text.data(), n, out, size);
  if (written <= 0) {
    SysFreeString(out);
    return nullptr;
  }
  out[written] = L'\0';
  if (written < size) {
    // Can't shrink a BSTR in place; reallocate at the real length.
    BSTR exact = SysAllocStringLen(out, static_cast<UINT>(written));
    SysFreeString(out);
    return exact;
  }
  return out;
}

}  // namespace server
