// Validation and command bytes of linear symbols, and the 2D symbols.
#include "service/pipeline/barcode/bar_code.h"

#include <cstring>

#include "common/opos.h"
#include "service/pipeline/barcode/gs1_data.h"
#include "service/pipeline/printer_commands.h"

namespace {

using namespace opos;

bool Digit(char c) { return c >= '0' && c <= '9'; }
bool StartStop(char c) { return c >= 'A' && c <= 'D'; }
bool Ascii(char c) { return static_cast<unsigned char>(c) < 0x80; }
bool CodabarChar(char c) { return Digit(c) || StartStop(c) || std::strchr("$-+./:", c) != nullptr; }
bool Code39Char(char c) { return Digit(c) || (c >= 'A' && c <= 'Z') || std::strchr(" $%+-./", c) != nullptr; }

enum class Length { Pair, Even, Upto255, From2, Gs1Item, Gs1Strings };

struct Symbology {
  int32_t symbology;
  uint8_t m;       // the printer's symbol number
  Length length;
  int32_t a, b;    // Pair: the two lengths allowed
  bool (*valid)(char);
};

bool AnyChar(char) { return true; }
std::string Code128Payload(std::string_view data);

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
    {PTR_BCS_GS1DATABAR, 0x4B, Length::Gs1Item, 0, 0, AnyChar},
    {PTR_BCS_GS1DATABAR_E, 0x4E, Length::Gs1Strings, 0, 0, AnyChar},
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
    case Length::Gs1Item:
    case Length::Gs1Strings: return true;  // their own rules below
  }
  return false;
}

// The data as sent, or false when the rules refuse it.
bool Payload(const Symbology& s, std::string_view data, std::string* payload) {
  if (s.length == Length::Gs1Item) return Gs1ItemNumber(data, payload);
  if (s.length == Length::Gs1Strings) {
    payload->assign(data);
    return Gs1ElementStrings(data);
  }
  if (!LengthFits(s, data.size())) return false;
  for (char c : data) {
    if (!s.valid(c)) return false;
  }
  if (s.symbology == PTR_BCS_UPCE && data[0] != '0') return false;
  if (s.symbology == PTR_BCS_Codabar && !StartStop(data[0])) return false;
  payload->assign(s.symbology == PTR_BCS_Code128 ? Code128Payload(data) : std::string(data));
  return true;
}

int32_t CodabarDigitLike(std::string_view data) {
  int32_t k = 0;
  for (char c : data) k += (Digit(c) || StartStop(c) || c == '$' || c == '-') ? 1 : 0;
  return k;
}

// The lengths the module width estimate of a symbology counts.
void EstimateLengths(int32_t symbology, std::string_view data, int32_t* length, int32_t* digitLike) {
  *length = static_cast<int32_t>(data.size());
  *digitLike = 0;
  if (symbology == PTR_BCS_Codabar) *digitLike = CodabarDigitLike(data);
  if (symbology != PTR_BCS_GS1DATABAR_E) return;
  for (char c : data) {
    *length -= (c == '(' || c == ')') ? 1 : 0;
    *digitLike += Digit(c) ? 1 : 0;
  }
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

// What a symbol holds at its largest size, by the data's kind.
struct Capacity {
  size_t digits, alphanumeric, bytes;
};

bool QrAlphanumeric(char c) { return Digit(c) || (c >= 'A' && c <= 'Z') || std::strchr(" $%*+-./:", c) != nullptr; }

bool Fits(std::string_view data, const Capacity& cap) {
  bool digits = true, alphanumeric = true;
  for (char c : data) {
    digits = digits && Digit(c);
    alphanumeric = alphanumeric && c != '\0' && QrAlphanumeric(c);
  }
  const size_t limit = digits ? cap.digits : alphanumeric ? cap.alphanumeric : cap.bytes;
  return !data.empty() && data.size() <= limit;
}

// Stored as given; the store command's length is the only limit.
bool AsGiven(std::string_view data, std::string* stored) {
  stored->assign(data);
  return true;
}
template <size_t Digits, size_t Alphanumeric, size_t Bytes>
bool Within(std::string_view data, std::string* stored) {
  stored->assign(data);
  return Fits(data, {Digits, Alphanumeric, Bytes});
}
// The stacked DataBar store command names the symbol type before the data.
bool StackedOmnidirectional(std::string_view data, std::string* stored) {
  std::string item;
  if (!Gs1ItemNumber(data, &item)) return false;
  *stored = '\x49' + item;  // 73
  return true;
}
bool ExpandedStacked(std::string_view data, std::string* stored) {
  if (!Gs1ElementStrings(data)) return false;
  *stored = '\x4C' + std::string(data);  // 76
  return true;
}

// GS ( k symbols: function group cn, the settings sent before the data
// (cn fn parameters), and the data rule.
struct MatrixSymbol {
  int32_t symbology;
  char cn;
  std::string_view settings[4];
  bool (*accepts)(std::string_view data, std::string* stored);
};

using namespace std::string_view_literals;
const MatrixSymbol kMatrixSymbols[] = {
    // Columns and rows automatic, module 3, row height 3.
    {PTR_BCS_PDF417, '\x30', {"\x30\x41\x00"sv, "\x30\x42\x00"sv, "\x30\x43\x03"sv, "\x30\x44\x03"sv}, AsGiven},
    // Model 2, module size 3.
    {PTR_BCS_QRCODE, '\x31', {"\x31\x41\x32\x00"sv, "\x31\x43\x03"sv}, AsGiven},
    {kSymbologyQrCode, '\x31', {"\x31\x41\x32\x00"sv, "\x31\x43\x03"sv}, AsGiven},
    // Micro QR is model 3; M4 at level L is its largest symbol.
    {PTR_BCS_UQRCODE, '\x31', {"\x31\x41\x33\x00"sv, "\x31\x43\x03"sv}, Within<35, 21, 15>},
    // Square, size automatic, module 3; 144 x 144 holds the most.
    {PTR_BCS_DATAMATRIX, '\x36', {"\x36\x42\x00\x00\x00"sv, "\x36\x43\x03"sv}, Within<3116, 2335, 1556>},
    // Full range, layers automatic, module 3; 32 layers hold the most.
    {PTR_BCS_AZTEC, '\x35', {"\x35\x42\x00"sv, "\x35\x43\x00"sv, "\x35\x44\x03"sv}, Within<3832, 3067, 1914>},
    // Module 3.
    {PTR_BCS_GS1DATABAR_S, '\x33', {"\x33\x43\x03"sv}, StackedOmnidirectional},
    {PTR_BCS_GS1DATABAR_E_S, '\x33', {"\x33\x43\x03"sv}, ExpandedStacked},
};

const MatrixSymbol* FindMatrix(int32_t symbology) {
  for (const MatrixSymbol& m : kMatrixSymbols) {
    if (m.symbology == symbology) return &m;
  }
  return nullptr;
}

// "203, 205,206": whether value is one of the numbers.
bool ListHolds(std::string_view list, int32_t value) {
  size_t pos = 0;
  while (pos < list.size()) {
    size_t end = list.find(',', pos);
    if (end == std::string_view::npos) end = list.size();
    std::string_view item = list.substr(pos, end - pos);
    while (!item.empty() && item.front() == ' ') item.remove_prefix(1);
    while (!item.empty() && item.back() == ' ') item.remove_suffix(1);
    if (item == std::to_string(value)) return true;
    pos = end + 1;
  }
  return false;
}

}  // namespace

int32_t BuildLinearBarCode(std::string_view data, int32_t symbology, int32_t heightDots, int32_t widthDots,
                           const BarCodeLayout& layout, std::string* out) {
  const Symbology* s = Find(symbology);
  std::string payload;
  if (s == nullptr || !Payload(*s, data, &payload)) return OPOS_E_ILLEGAL;
  // The length travels in one byte: a code set prefix must not overflow it.
  if (payload.size() > kMaxLinearLength) return OPOS_E_ILLEGAL;
  int32_t length = 0, k = 0;
  EstimateLengths(symbology, data, &length, &k);
  const int32_t module = ChooseModuleWidth(symbology, length, k, widthDots);
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
  const MatrixSymbol* m = FindMatrix(symbology);
  std::string stored;
  if (m == nullptr || !m->accepts(data, &stored) || stored.size() + 3 > kMaxSymbolBody) return OPOS_E_ILLEGAL;
  PutSetUp(out, layout);
  for (std::string_view setting : m->settings) {
    if (!setting.empty()) PutSymbol(out, setting);
  }
  PutSymbol(out, std::string{m->cn, '\x50', '\x30'} + stored);  // store
  PutSymbol(out, std::string{m->cn, '\x51', '\x30'});           // print
  return OPOS_SUCCESS;
}

bool IsTwoDimensional(int32_t symbology) { return FindMatrix(symbology) != nullptr; }

bool SymbologyOffered(int32_t symbology, std::string_view profileList) {
  static constexpr int32_t kOptional[] = {PTR_BCS_DATAMATRIX,   PTR_BCS_UQRCODE,      PTR_BCS_AZTEC,
                                          PTR_BCS_GS1DATABAR,   PTR_BCS_GS1DATABAR_E, PTR_BCS_GS1DATABAR_S,
                                          PTR_BCS_GS1DATABAR_E_S};
  bool optional = false;
  for (int32_t o : kOptional) optional = optional || o == symbology;
  return !optional || ListHolds(profileList, symbology);
}
