// Conversions through UTF-16 with the active code page; characters the code
// page lacks fail the conversion instead of becoming '?'.
#include <windows.h>

#include "platform/ansi_text.h"

namespace platform {
namespace {

bool ToWide(UINT codePage, DWORD flags, const std::string& text, std::wstring* wide) {
  if (text.empty()) {
    wide->clear();
    return true;
  }
  const int size = static_cast<int>(text.size());
  const int chars = MultiByteToWideChar(codePage, flags, text.data(), size, nullptr, 0);
  if (chars <= 0) return false;
  wide->assign(static_cast<size_t>(chars), L'\0');
  return MultiByteToWideChar(codePage, flags, text.data(), size, &(*wide)[0], chars) == chars;
}

bool FromWide(UINT codePage, const std::wstring& wide, std::string* text) {
  if (wide.empty()) {
    text->clear();
    return true;
  }
  const int size = static_cast<int>(wide.size());
  BOOL lossy = FALSE;
  BOOL* lossyOut = codePage == CP_UTF8 ? nullptr : &lossy;
  const DWORD flags = codePage == CP_UTF8 ? 0 : WC_NO_BEST_FIT_CHARS;
  const int bytes = WideCharToMultiByte(codePage, flags, wide.data(), size, nullptr, 0, nullptr, lossyOut);
  if (bytes <= 0 || lossy) return false;
  text->assign(static_cast<size_t>(bytes), '\0');
  return WideCharToMultiByte(codePage, flags, wide.data(), size, &(*text)[0], bytes, nullptr, lossyOut) == bytes &&
         !lossy;
}

}  // namespace

bool AnsiToUtf8(const std::string& ansi, std::string* utf8) {
  std::wstring wide;
  return ToWide(CP_ACP, MB_ERR_INVALID_CHARS, ansi, &wide) && FromWide(CP_UTF8, wide, utf8);
}

bool Utf8ToAnsi(const std::string& utf8, std::string* ansi) {
  std::wstring wide;
  return ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, &wide) && FromWide(CP_ACP, wide, ansi);
}

}  // namespace platform
