#include "tools/vprinter/decode/json.h"

#include <cstdio>

namespace vprinter {

namespace {

void appendAscii(unsigned char ch, std::string& out) {
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
      } else {
        out += char(ch);
      }
  }
}

// Bytes of the well-formed UTF-8 sequence starting at s[i], 0 for none.
std::size_t utf8Length(const std::string& s, std::size_t i) {
  unsigned char c = s[i];
  std::size_t n = (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  if (n == 0 || i + n > s.size()) return 0;
  for (std::size_t k = 1; k < n; ++k)
    if ((s[i + k] & 0xC0) != 0x80) return 0;
  return n;
}

}  // namespace

std::string jsonQuote(const std::string& s) {
  std::string out = "\"";
  for (unsigned char ch : s) {
    if (ch < 0x80) {
      appendAscii(ch, out);
    } else {
      out += char(0xC0 | (ch >> 6));
      out += char(0x80 | (ch & 0x3F));
    }
  }
  return out + "\"";
}

std::string jsonQuoteUtf8(const std::string& s) {
  std::string out = "\"";
  for (std::size_t i = 0; i < s.size();) {
    unsigned char ch = s[i];
    if (ch < 0x80) {
      appendAscii(ch, out);
      ++i;
    } else if (std::size_t n = utf8Length(s, i)) {
      out.append(s, i, n);
      i += n;
    } else {
      out += "\xEF\xBF\xBD";
      ++i;
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
