// Validation and command bytes of linear symbols, and the 2D symbols.
#include "service/pipeline/barcode/bar_code.h"

#include <cstring>

#include "common/opos.h"
#include "service/pipeline/printer_commands.h"

namespace {

using namespace opos;

bool Digit(char c) { return c >= '0' && c <= '9'; }
bool StartStop(char c) { return c >= 'A' && c <= 'D'; }
bool Ascii(char c) { return static_cast<unsigned char>(c) < 0x80; }
bool CodabarChar(char c) { return Digit(c) || StartStop(c) || std::strchr("$-+./:", c) != nullptr; }
bool Code39Char(char c) { return Digit(c) || (c >= 'A' && c <= 'Z') || std::strchr(" $%+-./", c) != nullptr; }

enum class Length { Pair, Even, Upto255, From2 };

struct Symbology {
  int32_t symbology;
  uint8_t m;       // the printer's symbol number
  Length length;
  int32_t a, b;    // Pair: the two lengths allowed
  bool (*valid)(char);
};

// An empty linear symbol prints nothing the application can use, so every
// rule asks for at least one character.
const Symbology kSymbologies[] = {
    {PTR_BCS_UPCA, 0x41, Length::Pair, 11, 12, Digit},
    {PTR_BCS_UPCE, 0x42, Length::Pair, 11, 12, Digit},
    {PTR_BCS_EAN8, 0x44, Length::Pair, 7, 8, Digit},
    {PTR_BCS_EAN13, 0x43, Length::Pair, 12, 13, Digit},
    {PTR_BCS_ITF, 0x46, Length::Even, 0, 0, Digit},
    {PTR_BCS_Codabar, 0x47, Length::Upto255, 0, 0, CodabarChar},
    {PTR_BCS_Code39, 0x45, Length::Upto255, 0, 0, Code39Char},
    {PTR_BCS_Code93, 0x48, Length::Upto255, 0, 0, Ascii},
    {PTR_BCS_Code128, 0x49, Length::From2, 0, 0, Ascii},
};

constexpr size_t kMaxLinearLength = 255;

const Symbology* Find(int32_t symbology) {
  for (const Symbology& s : kSymbologies) {
    if (s.symbology == symbology) return &s;
  }
  return nullptr;
}

bool LengthFits(const Symbology& s, size_t n) {
  switch (s.length) {
    case Length::Pair: return n == static_cast<size_t>(s.a) || n == static_cast<size_t>(s.b);
    case Length::Even: return n > 0 && n % 2 == 0 && n <= kMaxLinearLength;
    case Length::Upto255: return n > 0 && n <= kMaxLinearLength;
    case Length::From2: return n >= 2 && n <= kMaxLinearLength;
  }
  return false;
}

bool Valid(const Symbology& s, std::string_view data) {
  if (!LengthFits(s, data.size())) return false;
  for (char c : data) {
    if (!s.valid(c)) return false;
  }
  if (s.symbology == PTR_BCS_UPCE && data[0] != '0') return false;
  if (s.symbology == PTR_BCS_Codabar && !StartStop(data[0])) return false;
  return true;
}

int32_t CodabarDigitLike(std::string_view data) {
  int32_t k = 0;
  for (char c : data) k += (Digit(c) || StartStop(c) || c == '$' || c == '-') ? 1 : 0;
  return k;
}

// Code 128 data that names no code set of its own. Code set A holds
// upper-case letters and control characters but no lower-case letters, so
// data with lower-case letters goes in code set B, changing to A only for
// control characters; a brace in set B is written twice.
std::string Code128Payload(std::string_view data) {
  if (!data.empty() && data[0] == '{') return std::string(data);
  bool lower = false;
  for (char c : data) lower = lower || static_cast<unsigned char>(c) >= 0x60;
  if (!lower) return "{A" + std::string(data);
  std::string out;
  char set = 0;
  for (char c : data) {
    const unsigned char u = static_cast<unsigned char>(c);
    const char need = u < 0x20 ? 'A' : (u >= 0x60 || set == 0) ? 'B' : set;
    if (need != set) {
      out += '{';
      out += need;
      set = need;
    }
    out += c;
    if (c == '{') out += '{';
  }
  return out;
}

uint8_t AlignmentByte(int32_t alignment) {
  return alignment == PTR_BC_RIGHT ? 2 : alignment == PTR_BC_CENTER ? 1 : 0;
}

uint8_t TextPositionByte(int32_t position) {
  return position == PTR_BC_TEXT_BELOW ? 2 : position == PTR_BC_TEXT_ABOVE ? 1 : 0;
}

void PutCommand(std::string* out, std::string_view command, uint8_t n) {
  out->append(command);
  out->push_back(static_cast<char>(n));
}

void PutSetUp(std::string* out, const BarCodeLayout& layout) {
  out->append(cmd::kPadding);
  PutCommand(out, cmd::kAlign, AlignmentByte(layout.alignment));
  PutCommand(out, cmd::kHriPosition, TextPositionByte(layout.textPosition));
  PutCommand(out, cmd::kHriFont, layout.fontByte);
}

// GS ( k pL pH cn fn and parameters; the length counts cn, fn and them.
void PutSymbol(std::string* out, std::string_view body) {
  out->append(cmd::kSymbol);
  out->push_back(static_cast<char>(body.size() & 0xFF));
  out->push_back(static_cast<char>(body.size() >> 8));
  out->append(body);
}

constexpr size_t kMaxSymbolBody = 0xFFFF;

}  // namespace

int32_t BuildLinearBarCode(std::string_view data, int32_t symbology, int32_t heightDots, int32_t widthDots,
                           const BarCodeLayout& layout, std::string* out) {
  const Symbology* s = Find(symbology);
  if (s == nullptr || !Valid(*s, data)) return OPOS_E_ILLEGAL;
  const std::string payload = symbology == PTR_BCS_Code128 ? Code128Payload(data) : std::string(data);
  // The length travels in one byte: a code set prefix must not overflow it.
  if (payload.size() > kMaxLinearLength) return OPOS_E_ILLEGAL;
  const int32_t k = symbology == PTR_BCS_Codabar ? CodabarDigitLike(data) : 0;
  const int32_t module = ChooseModuleWidth(symbology, static_cast<int32_t>(data.size()), k, widthDots);
  PutSetUp(out, layout);
  PutCommand(out, cmd::kBarHeight, static_cast<uint8_t>(heightDots & 0xFF));
  PutCommand(out, cmd::kBarModule, static_cast<uint8_t>(module));
  out->append(cmd::kBarCode);
  out->push_back(static_cast<char>(s->m));
  out->push_back(static_cast<char>(payload.size()));
  out->append(payload);
  return OPOS_SUCCESS;
}

int32_t BuildTwoDimensionalCode(std::string_view data, int32_t symbology, const BarCodeLayout& layout,
                                std::string* out) {
  using namespace std::string_view_literals;
  const bool pdf = symbology == PTR_BCS_PDF417;
  if ((!pdf && symbology != kSymbologyQrCode) || data.size() + 3 > kMaxSymbolBody) return OPOS_E_ILLEGAL;
  PutSetUp(out, layout);
  if (pdf) {
    for (std::string_view setting : {"\x30\x41\x00"sv, "\x30\x42\x00"sv, "\x30\x43\x03"sv, "\x30\x44\x03"sv}) {
      PutSymbol(out, setting);  // columns and rows automatic, module 3, row height 3
    }
  } else {
    PutSymbol(out, "\x31\x41\x32\x00"sv);  // model 2
    PutSymbol(out, "\x31\x43\x03"sv);      // module size 3
  }
  const char cn = pdf ? '\x30' : '\x31';
  PutSymbol(out, std::string{cn, '\x50', '\x30'} + std::string(data));  // store
  PutSymbol(out, std::string{cn, '\x51', '\x30'});                      // print
  return OPOS_SUCCESS;
}
