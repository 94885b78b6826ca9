// The stand-in code page: ISO 8859-1, each byte the character of that number.
#include "platform/ansi_text.h"

namespace platform {

bool AnsiToUtf8(const std::string& ansi, std::string* utf8) {
  std::string out;
  for (unsigned char c : ansi) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  *utf8 = std::move(out);
  return true;
}

bool Utf8ToAnsi(const std::string& utf8, std::string* ansi) {
  std::string out;
  for (size_t i = 0; i < utf8.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(utf8[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
      continue;
    }
    // Only the two-byte forms of U+0080..U+00FF fit the code page.
    if ((c != 0xC2 && c != 0xC3) || i + 1 >= utf8.size()) return false;
    const unsigned char next = static_cast<unsigned char>(utf8[i + 1]);
    if ((next & 0xC0) != 0x80) return false;
    out += static_cast<char>(((c & 0x03) << 6) | (next & 0x3F));
    ++i;
  }
  *ansi = std::move(out);
  return true;
}

}  // namespace platform
