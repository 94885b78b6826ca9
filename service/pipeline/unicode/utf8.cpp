#include "service/pipeline/unicode/utf8.h"

namespace unicode {

namespace {

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The allowed range of the second byte after lead byte b (RFC 3629).
bool SecondFits(unsigned char lead, unsigned char b) {
  switch (lead) {
    case 0xE0: return b >= 0xA0 && b <= 0xBF;
    case 0xED: return b >= 0x80 && b <= 0x9F;
    case 0xF0: return b >= 0x90 && b <= 0xBF;
    case 0xF4: return b >= 0x80 && b <= 0x8F;
    default: return IsContinuation(b);
  }
}

bool IsScalar(char32_t c) { return c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF); }

}  // namespace

char32_t NextCharacter(std::string_view data, size_t* pos) {
  const auto lead = static_cast<unsigned char>(data[*pos]);
  ++*pos;
  if (lead < 0x80) return lead;
  int more = 0;
  char32_t c = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    more = 1;
    c = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    more = 2;
    c = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    more = 3;
    c = lead & 0x07;
  } else {
    return kReplacement;
  }
  for (int i = 0; i < more; ++i) {
    if (*pos >= data.size()) return kReplacement;
    const auto b = static_cast<unsigned char>(data[*pos]);
    if (i == 0 ? !SecondFits(lead, b) : !IsContinuation(b)) return kReplacement;
    c = (c << 6) | (b & 0x3F);
    ++*pos;
  }
  return c;
}

std::u32string DecodeUtf8(std::string_view data) {
  std::u32string out;
  out.reserve(data.size());
  size_t pos = 0;
  while (pos < data.size()) out += NextCharacter(data, &pos);
  return out;
}

void AppendUtf8(char32_t c, std::string& out) {
  if (!IsScalar(c)) c = kReplacement;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string Utf8FromUtf16(std::u16string_view text) {
  std::string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t c = text[i];
    if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    }
    AppendUtf8(c, out);
  }
  return out;
}

}  // namespace unicode
