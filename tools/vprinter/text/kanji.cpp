#include "tools/vprinter/text/kanji.h"

#include <iconv.h>

#include <cerrno>
#include <iterator>
#include <memory>

#include "tools/vprinter/render/font.h"

namespace vprinter {
namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool in(std::uint8_t b, std::uint8_t lo, std::uint8_t hi) { return b >= lo && b <= hi; }

// Each code's lead and trail bytes, and the converter that reads it.
struct Code {
  Multibyte code;
  const char* converter;
  bool (*lead)(std::uint8_t);
  bool (*trail)(std::uint8_t);
};

bool sjisLead(std::uint8_t b) { return in(b, 0x81, 0x9F) || in(b, 0xE0, 0xFC); }
bool sjisTrail(std::uint8_t b) { return in(b, 0x40, 0x7E) || in(b, 0x80, 0xFC); }
bool jisByte(std::uint8_t b) { return in(b, 0x21, 0x7E); }
bool highLead(std::uint8_t b) { return in(b, 0x81, 0xFE); }
bool gbTrail(std::uint8_t b) { return in(b, 0x40, 0x7E) || in(b, 0x80, 0xFE); }
bool big5Trail(std::uint8_t b) { return in(b, 0x40, 0x7E) || in(b, 0xA1, 0xFE); }
bool kscTrail(std::uint8_t b) { return in(b, 0x41, 0x5A) || in(b, 0x61, 0x7A) || in(b, 0x81, 0xFE); }

// JIS codes are read as EUC-JP (both bytes with the high bit set); Korean
// as the Windows superset of KS C 5601, which decodes its codes alike.
const Code kCodes[] = {
    {Multibyte::ShiftJis, "CP932", sjisLead, sjisTrail},
    {Multibyte::Jis, "EUC-JP-MS", jisByte, jisByte},
    {Multibyte::ShiftJis2004, "SHIFT_JISX0213", sjisLead, sjisTrail},
    {Multibyte::Gb18030, "GB18030", highLead, gbTrail},
    {Multibyte::Big5, "CP950", highLead, big5Trail},
    {Multibyte::Ksc5601, "CP949", highLead, kscTrail},
};

struct Closer {
  void operator()(void* cd) const { iconv_close(iconv_t(cd)); }
};

// The code points of one complete character's bytes; empty when the
// converter has no character for them.
std::vector<char32_t> convert(const Code& code, const std::uint8_t* bytes, std::size_t n) {
  thread_local std::unique_ptr<void, Closer> converters[std::size(kCodes)];
  auto& cd = converters[std::size_t(&code - kCodes)];
  if (!cd) {
    iconv_t opened = iconv_open("UTF-32LE", code.converter);
    if (opened == iconv_t(-1)) return {};
    cd.reset(opened);
  }
  iconv(iconv_t(cd.get()), nullptr, nullptr, nullptr, nullptr);
  char in[4];
  for (std::size_t i = 0; i < n; ++i) in[i] = char(code.code == Multibyte::Jis ? bytes[i] | 0x80 : bytes[i]);
  char outBuf[16];
  char* inp = in;
  char* outp = outBuf;
  std::size_t inLeft = n, outLeft = sizeof outBuf;
  if (iconv(iconv_t(cd.get()), &inp, &inLeft, &outp, &outLeft) == std::size_t(-1) || inLeft != 0) return {};
  iconv(iconv_t(cd.get()), nullptr, nullptr, &outp, &outLeft);  // a character held back at the end
  std::vector<char32_t> cps;
  for (char* q = outBuf; q + 4 <= outp; q += 4) {
    char32_t cp = char32_t(std::uint8_t(q[0])) | char32_t(std::uint8_t(q[1])) << 8 |
                  char32_t(std::uint8_t(q[2])) << 16 | char32_t(std::uint8_t(q[3])) << 24;
    cps.push_back(cp);
  }
  return cps;
}

// Bytes of the double-byte (or GB18030 four-byte) character at p: 0 when
// more are needed, 1 when p[0] starts none.
std::size_t unitLength(const Code& code, const std::uint8_t* p, std::size_t n, bool& bad) {
  bad = false;
  if (!code.lead(p[0])) return 1;
  if (n < 2) return 0;
  if (code.trail(p[1])) return 2;
  if (code.code == Multibyte::Gb18030 && in(p[1], 0x30, 0x39)) {
    if (n < 3) return 0;
    if (highLead(p[2])) {
      if (n < 4) return 0;
      if (in(p[3], 0x30, 0x39)) return 4;
    }
  }
  if (code.code == Multibyte::Jis) return 1;  // a lone JIS byte is ASCII
  bad = true;
  return 1;
}

}  // namespace

std::size_t singleStep(const TextMode& mode, std::uint8_t byte, std::vector<TextChar>& out) {
  char32_t cp = decodeByte(byte, mode.table, mode.intl);
  out.push_back({cp, false, isCombining(cp), 0});
  return 1;
}

std::size_t kanjiStep(const TextMode& mode, const std::uint8_t* p, std::size_t n, std::vector<TextChar>& out) {
  const Code* code = &kCodes[0];
  for (const Code& c : kCodes)
    if (c.code == mode.multibyte) code = &c;
  bool bad = false;
  std::size_t length = unitLength(*code, p, n, bad);
  if (length == 0) return 0;
  if (bad) {
    out.push_back({kReplacement, false, false, 0});
    return 1;
  }
  if (length == 1) {
    // Shift JIS keeps the half-width katakana as single bytes.
    bool kana = (code->code == Multibyte::ShiftJis || code->code == Multibyte::ShiftJis2004) && in(p[0], 0xA1, 0xDF);
    if (!kana) return singleStep(mode, p[0], out);
    out.push_back({char32_t(0xFF61 + (p[0] - 0xA1)), false, false, 0});
    return 1;
  }
  std::vector<char32_t> cps = convert(*code, p, length);
  std::uint16_t raw = length == 2 ? std::uint16_t(p[0] << 8 | p[1]) : 0;
  if (cps.empty()) cps.push_back(kReplacement);
  out.push_back({cps[0], length == 2 || isWide(cps[0]), false, raw});
  for (std::size_t i = 1; i < cps.size(); ++i) out.push_back({cps[i], false, true, 0});
  return length;
}

}  // namespace vprinter
