#include "tools/vprinter/decode/json.h"

#include <cstdio>

namespace vprinter {

std::string jsonQuote(const std::string& s) {
  std::string out = "\"";
  for (unsigned char ch : s) {
    switch (ch) {
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (ch < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", ch);
          out += buf;
        } else if (ch < 0x80) {
          out += char(ch);
        } else {
          out += char(0xC0 | (ch >> 6));
          out += char(0x80 | (ch & 0x3F));
        }
    }
  }
  return out + "\"";
}

std::string hexBytes(const std::string& s) {
  static const char kDigits[] = "0123456789abcdef";
  std::string out;
  out.reserve(s.size() * 2);
  for (unsigned char ch : s) {
    out += kDigits[ch >> 4];
    out += kDigits[ch & 15];
  }
  return out;
}

}  // namespace vprinter
