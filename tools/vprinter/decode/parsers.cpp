#include "tools/vprinter/decode/parsers.h"

#include <cstring>

namespace vprinter {
namespace {

constexpr std::uint8_t ESC = 0x1B, GS = 0x1D, FS = 0x1C, DLE = 0x10;
constexpr std::size_t kNoMatch = ~std::size_t(0);  // the bytes start no command

unsigned u16(const std::uint8_t* p) { return p[0] | (p[1] << 8); }

void set(Command& c, Op op, const char* name) {
  c.op = op;
  c.name = name;
}

// A command with a payload of `body` bytes after a header of `head` bytes.
// Keeps the payload unless it is longer than kMaxCommand.
std::size_t withPayload(const std::uint8_t* p, std::size_t n, std::size_t head, std::size_t body,
                        Command& c, std::size_t& skip) {
  if (head + body > kMaxCommand) {
    c.note = "payload of " + std::to_string(body) + " bytes skipped";
    c.op = Op::Oversize;
    if (n < head) return 0;
    skip = body;
    return head;
  }
  if (n < head + body) return 0;
  c.data.assign(reinterpret_cast<const char*>(p + head), body);
  return head + body;
}

// Commands with a fixed number of parameter bytes.
struct Fixed {
  std::uint8_t lead, code, params;
  Op op;
  const char* name;
};

const Fixed kFixed[] = {
    {ESC, '@', 0, Op::Init, "init"},
    {ESC, '=', 1, Op::SelectPeripheral, "select-peripheral"},
    {ESC, '!', 1, Op::PrintMode, "print-mode"},
    {ESC, '-', 1, Op::Underline, "underline"},
    {ESC, 'E', 1, Op::Emphasis, "emphasis"},
    {ESC, 'G', 1, Op::DoubleStrike, "double-strike"},
    {ESC, 'M', 1, Op::Font, "font"},
    {ESC, '4', 1, Op::Other, "italic"},  // some models only; printed upright here
    {ESC, 'V', 1, Op::Rotate90, "rotate-90"},
    {ESC, '{', 1, Op::UpsideDown, "upside-down"},
    {ESC, 't', 1, Op::CodeTable, "code-table"},
    {ESC, 'R', 1, Op::International, "international-set"},
    {ESC, 'r', 1, Op::PrintColor, "print-color"},
    {ESC, 'a', 1, Op::Align, "align"},
    {ESC, '2', 0, Op::DefaultLineSpacing, "default-line-spacing"},
    {ESC, '3', 1, Op::LineSpacing, "line-spacing"},
    {ESC, 'd', 1, Op::FeedLines, "feed-lines"},
    {ESC, 'J', 1, Op::FeedUnits, "feed-units"},
    {ESC, 'K', 1, Op::ReverseFeed, "reverse-feed-units"},
    {ESC, 'e', 1, Op::ReverseFeed, "reverse-feed-lines"},
    {ESC, ' ', 1, Op::RightSpacing, "right-spacing"},
    {ESC, '$', 2, Op::AbsolutePos, "absolute-position"},
    {ESC, '\\', 2, Op::RelativePos, "relative-position"},
    {ESC, 'p', 3, Op::DrawerKick, "drawer-kick"},
    {ESC, 'L', 0, Op::PageMode, "page-mode"},
    {ESC, 'S', 0, Op::StandardMode, "standard-mode"},
    {ESC, 'T', 1, Op::PageDirection, "page-direction"},
    {ESC, 'W', 8, Op::PageArea, "page-area"},
    {ESC, 0x0C, 0, Op::PagePrint, "page-print"},
    {ESC, 'i', 0, Op::Cut, "cut-full"},
    {ESC, 'm', 0, Op::Cut, "cut-partial"},
    {ESC, 'g', 1, Op::EscG, "esc-g"},
    {ESC, '%', 1, Op::Other, "user-chars"},
    {ESC, '?', 1, Op::Other, "cancel-user-char"},
    {ESC, 'u', 1, Op::Other, "peripheral-status"},
    {ESC, 'v', 0, Op::PaperStatus, "paper-status"},
    {ESC, '<', 0, Op::Other, "home"},
    {ESC, 'U', 1, Op::Other, "unidirectional"},
    {ESC, 'B', 2, Op::Other, "beeper"},
    {ESC, 'f', 2, Op::Other, "cut-sheet-wait"},
    {GS, '!', 1, Op::CharSize, "char-size"},
    {GS, 'B', 1, Op::Reverse, "reverse"},
    {GS, 'H', 1, Op::HriPosition, "hri-position"},
    {GS, 'f', 1, Op::HriFont, "hri-font"},
    {GS, 'h', 1, Op::BarHeight, "bar-height"},
    {GS, 'w', 1, Op::BarWidth, "bar-width"},
    {GS, 'Z', 1, Op::SymbolType, "symbol-type"},
    {GS, 'a', 1, Op::AsbEnable, "asb-enable"},
    {GS, 'j', 1, Op::InkAsbEnable, "ink-asb-enable"},
    {GS, 'L', 2, Op::LeftMargin, "left-margin"},
    {GS, 'W', 2, Op::AreaWidth, "area-width"},
    {GS, '$', 2, Op::Other, "page-vertical-position"},
    {GS, '\\', 2, Op::Other, "page-relative-vertical"},
    {GS, 'P', 2, Op::Other, "motion-units"},
    {GS, 'b', 1, Op::Other, "smoothing"},
    {GS, 'I', 1, Op::PrinterId, "printer-id"},
    {GS, 'r', 1, Op::TransmitStatus, "transmit-status"},
    {GS, '/', 1, Op::Other, "print-downloaded-image"},
    {GS, ':', 0, Op::Other, "macro"},
    {GS, 'T', 1, Op::Other, "line-start"},
    {GS, '^', 3, Op::Other, "run-macro"},
    {GS, 'E', 1, Op::Other, "head-control"},
    {GS, 'c', 0, Op::Other, "print-counter"},
    {GS, 'g', 4, Op::MaintenanceCounter, "maintenance-counter"},
    {GS, 'z', 3, Op::Other, "recovery-wait"},
    {FS, 'p', 2, Op::NvBitImagePrint, "print-nv-bit-image"},
    {FS, '!', 1, Op::KanjiMode, "kanji-mode"},
    {FS, '&', 0, Op::KanjiOn, "kanji-on"},
    {FS, '.', 0, Op::KanjiOff, "kanji-off"},
    {FS, '-', 1, Op::KanjiUnderline, "kanji-underline"},
    {FS, 'C', 1, Op::KanjiCode, "kanji-code"},
    {FS, 'S', 2, Op::KanjiSpacing, "kanji-spacing"},
    {FS, 'W', 1, Op::KanjiQuad, "kanji-quad"},
    {FS, '?', 2, Op::KanjiCancel, "cancel-user-kanji"},
    {FS, '2', 74, Op::KanjiDefine, "define-user-kanji"},
    {DLE, 0x05, 1, Op::RealtimeRecover, "realtime-request"},
};

const Fixed* findFixed(std::uint8_t lead, std::uint8_t code) {
  for (const Fixed& f : kFixed)
    if (f.lead == lead && f.code == code) return &f;
  return nullptr;
}

std::size_t fixed(const Fixed& f, const std::uint8_t* p, std::size_t n, Command& c) {
  if (n < 2u + f.params) return 0;
  set(c, f.op, f.name);
  for (int i = 0; i < f.params; ++i) c.args.push_back(p[2 + i]);
  return 2u + f.params;
}

std::size_t text(const std::uint8_t* p, std::size_t n, Command& c) {
  std::size_t i = 0;
  while (i < n && p[i] >= 0x20) ++i;
  set(c, Op::Text, "text");
  c.data.assign(reinterpret_cast<const char*>(p), i);
  return i;
}

std::size_t control(std::uint8_t b, Command& c) {
  switch (b) {
    case 0x0A: set(c, Op::LineFeed, "line-feed"); break;
    case 0x0D: set(c, Op::CarriageReturn, "carriage-return"); break;
    case 0x0C: set(c, Op::FormFeed, "form-feed"); break;
    case 0x09: set(c, Op::Tab, "tab"); break;
    case 0x18: set(c, Op::Cancel, "cancel"); break;
    case 0x00: set(c, Op::Nul, "nul"); break;
    default: set(c, Op::Unknown, "unknown"); break;
  }
  return 1;
}

// ESC * m nL nH d...: one byte per column for 8-dot modes, three for 24-dot.
std::size_t bitImage(const std::uint8_t* p, std::size_t n, Command& c, std::size_t& skip) {
  if (n < 5) return 0;
  unsigned m = p[2], cols = u16(p + 3);
  unsigned per = (m == 0 || m == 1) ? 1 : (m == 32 || m == 33) ? 3 : 0;
  if (per == 0) return kNoMatch;
  set(c, Op::BitImage, "bit-image");
  c.args = {int(m), int(cols)};
  return withPayload(p, n, 5, std::size_t(cols) * per, c, skip);
}

// ESC D n1 ... NUL: at most 32 tab positions.
std::size_t tabs(const std::uint8_t* p, std::size_t n, Command& c) {
  set(c, Op::Other, "tab-positions");
  for (std::size_t i = 2; i < n && i < 2 + 33; ++i) {
    if (p[i] == 0) return i + 1;
    c.args.push_back(p[i]);
  }
  if (n < 2 + 33) return 0;
  return 2 + 33;
}

// ESC & y c1 c2 [x d1...d(y*x)]...: user-defined characters.
std::size_t userChars(const std::uint8_t* p, std::size_t n, Command& c) {
  if (n < 5) return 0;
  std::size_t y = p[2], first = p[3], last = p[4], pos = 5;
  set(c, Op::Other, "define-user-chars");
  c.args = {int(y), int(first), int(last)};
  for (std::size_t ch = first; ch <= last && last - first < 256; ++ch) {
    if (n <= pos) return 0;
    pos += 1 + y * p[pos];
  }
  return n < pos ? 0 : pos;
}

// ESC c n m: paper sensor and panel button settings.
std::size_t escC(const std::uint8_t* p, std::size_t n, Command& c) {
  if (n < 4) return 0;
  switch (p[2]) {
    case '3': set(c, Op::PaperSensorSignal, "paper-sensor-signal"); break;
    case '4': set(c, Op::PaperSensorStop, "paper-sensor-stop"); break;
    case '5': set(c, Op::PanelButtons, "panel-buttons"); break;
    default: set(c, Op::Other, "esc-c"); break;
  }
  c.args = {p[2], p[3]};
  return 4;
}

// GS V m [n]
std::size_t cut(const std::uint8_t* p, std::size_t n, Command& c) {
  if (n < 3) return 0;
  unsigned m = p[2];
  bool feed = m == 65 || m == 66 || m == 97 || m == 98 || m == 103 || m == 104;
  if (feed && n < 4) return 0;
  set(c, Op::Cut, (m == 0 || m == 48 || m == 65 || m == 97 || m == 103) ? "cut-full" : "cut-partial");
  c.args = {int(m)};
  if (feed) c.args.push_back(p[3]);
  return feed ? 4 : 3;
}

// GS k m d1...NUL (m 0..6) or GS k m n d1...dn (m 65..79)
std::size_t barCode(const std::uint8_t* p, std::size_t n, Command& c) {
  if (n < 3) return 0;
  unsigned m = p[2];
  set(c, Op::BarCode, "bar-code");
  c.args = {int(m)};
  if (m <= 6) {
    for (std::size_t i = 3; i < n && i < 3 + 256; ++i) {
      if (p[i] == 0) {
        c.data.assign(reinterpret_cast<const char*>(p + 3), i - 3);
        return i + 1;
      }
    }
    if (n < 3 + 256) return 0;
    c.note = "no terminating NUL";
    return 3;
  }
  if (n < 4) return 0;
  if (n < 4u + p[3]) return 0;
  c.data.assign(reinterpret_cast<const char*>(p + 4), p[3]);
  return 4u + p[3];
}

// GS v 0 m xL xH yL yH d...: x bytes per row, y rows.
std::size_t raster(const std::uint8_t* p, std::size_t n, Command& c, std::size_t& skip) {
  if (n < 8) return 0;
  unsigned x = u16(p + 4), y = u16(p + 6);
  set(c, Op::RasterImage, "raster-image");
  c.args = {p[3], int(x), int(y)};
  return withPayload(p, n, 8, std::size_t(x) * y, c, skip);
}

// Graphics store (fn 112): m fn a bx by c xL xH yL yH d... The data length
// follows from the header; a declared length that differs is tolerated and
// noted, so a host that counts only the data bytes still prints.
std::size_t graphicsStore(const std::uint8_t* p, std::size_t n, std::size_t head, std::size_t declared,
                          Command& c, std::size_t& skip) {
  if (n < head + 10) return 0;
  const std::uint8_t* h = p + head;
  unsigned x = u16(h + 6), y = u16(h + 8);
  std::size_t k = std::size_t((x + 7) / 8) * y;
  set(c, Op::GraphicsStore, "graphics-store");
  c.args = {h[2], h[3], h[4], h[5], int(x), int(y)};
  std::size_t want = 10 + k;
  bool wrapped = head == 5 && (declared == (want & 0xFFFF) || declared == (k & 0xFFFF));
  if (declared < 10 && declared != k && !wrapped) {  // not a store after all: skip what it declares
    set(c, Op::Other, "graphics");
    c.args = {h[1]};
    std::size_t used = withPayload(p, n, head, declared, c, skip);
    c.data.clear();
    return used;
  }
  std::size_t body = declared >= 10 ? declared - 10 : 0;
  if (declared != want) {
    c.note = "declared length " + std::to_string(declared) + ", header implies " + std::to_string(want);
    if (declared == k || wrapped) body = k;
  }
  std::size_t used = withPayload(p, n, head + 10, body, c, skip);
  if (c.data.size() > k) c.data.resize(k);
  return used;
}

// GS ( L / GS 8 L: graphics functions. head = bytes before m.
std::size_t graphics(const std::uint8_t* p, std::size_t n, std::size_t head, std::size_t len, Command& c,
                     std::size_t& skip) {
  if (n < head + 2 || len < 2) {
    if (n < head + 2 && len >= 2) return 0;
    set(c, Op::Other, "graphics");
    return withPayload(p, n, head, len, c, skip);
  }
  unsigned fn = p[head + 1];
  if (fn == 112) return graphicsStore(p, n, head, len, c, skip);
  if (fn == 2 || fn == 50) set(c, Op::GraphicsPrint, "graphics-print");
  else if (fn == 67) set(c, Op::NvGraphicsStore, "nv-graphics-store");
  else if (fn == 69) set(c, Op::NvGraphicsPrint, "nv-graphics-print");
  else set(c, Op::Other, "graphics");
  c.args = {int(fn)};
  std::size_t used = withPayload(p, n, head, len, c, skip);
  if (used && c.op == Op::NvGraphicsPrint && c.data.size() >= 6)
    c.args = {int(fn), (unsigned char)c.data[2], (unsigned char)c.data[3], (unsigned char)c.data[4],
              (unsigned char)c.data[5]};
  return used;
}

// GS ( k: 2D symbols. args: cn, fn, then the parameter bytes of set-ups.
std::size_t symbol(const std::uint8_t* p, std::size_t n, std::size_t len, Command& c, std::size_t& skip) {
  set(c, Op::Symbol2D, "symbol");
  std::size_t used = withPayload(p, n, 5, len, c, skip);
  if (used == 0 || c.op != Op::Symbol2D) return used;
  if (c.data.size() < 2) {
    set(c, Op::Other, "symbol-short");
    return used;
  }
  auto b = [&](std::size_t i) { return int((unsigned char)c.data[i]); };
  c.args = {b(0), b(1)};
  if (b(1) == 0x50 && c.data.size() >= 3) {  // store: cn fn m data
    c.data.erase(0, 3);
    return used;
  }
  for (std::size_t i = 2; i < c.data.size(); ++i) c.args.push_back(b(i));
  c.data.clear();
  return used;
}

// ESC ( X, FS ( X, GS ( X pL pH ...: a function this printer lacks. The
// length says where it ends, so its parameters never reach the paper.
std::size_t skipParen(const std::uint8_t* p, std::size_t n, const char* name, Command& c, std::size_t& skip) {
  if (n < 5) return 0;
  std::size_t len = u16(p + 3);
  set(c, Op::Other, name);
  c.args = {p[2]};
  std::size_t used = withPayload(p, n, 5, len, c, skip);
  c.data.clear();
  c.note = "not understood: " + std::to_string(len) + " parameter bytes skipped";
  return used;
}

// GS ( X pL pH ...
std::size_t gsParen(const std::uint8_t* p, std::size_t n, Command& c, std::size_t& skip) {
  if (n < 5) return 0;
  std::size_t len = u16(p + 3);
  switch (p[2]) {
    case 'L': return graphics(p, n, 5, len, c, skip);
    case 'k': return symbol(p, n, len, c, skip);
    case 'N':
      if (len == 2) {
        if (n < 7) return 0;
        set(c, p[5] == 0x30 ? Op::CharColor : Op::Other, p[5] == 0x30 ? "char-color" : "color-setting");
        c.args = {p[5], p[6]};
        return 7;
      }
      break;
  }
  return skipParen(p, n, "gs-paren", c, skip);
}

// FS ( A pL pH fn m (Kanji character font), FS ( C pL pH fn ... (character
// encoding, font priority): args fn and the parameter bytes.
std::size_t fsParen(const std::uint8_t* p, std::size_t n, Command& c, std::size_t& skip) {
  if (n < 5) return 0;
  std::size_t len = u16(p + 3);
  if ((p[2] != 'A' && p[2] != 'C') || len < 1 || len > 8) return skipParen(p, n, "fs-paren", c, skip);
  if (n < 5 + len) return 0;
  if (p[2] == 'A') set(c, Op::KanjiFont, "kanji-font");
  else set(c, Op::CharEncoding, p[5] == 60 ? "font-priority" : "char-encoding");
  for (std::size_t i = 0; i < len; ++i) c.args.push_back(p[5 + i]);
  return 5 + len;
}

// ESC Z m n k dL dH d...: a 2D symbol of the type GS Z chose, printed at once.
std::size_t symbolPrint(const std::uint8_t* p, std::size_t n, Command& c, std::size_t& skip) {
  if (n < 7) return 0;
  set(c, Op::SymbolPrint, "symbol-print");
  c.args = {p[2], p[3], p[4]};
  return withPayload(p, n, 7, u16(p + 5), c, skip);
}

// GS 8 L p1 p2 p3 p4 m fn ...
std::size_t gsEight(const std::uint8_t* p, std::size_t n, Command& c, std::size_t& skip) {
  if (n < 7) return 0;
  if (p[2] != 'L') return kNoMatch;
  std::size_t len = std::size_t(u16(p + 3)) | (std::size_t(u16(p + 5)) << 16);
  return graphics(p, n, 7, len, c, skip);
}

// GS * x y d...: downloaded bit image, x*8 columns of y bytes.
std::size_t downloadImage(const std::uint8_t* p, std::size_t n, Command& c, std::size_t& skip) {
  if (n < 4) return 0;
  set(c, Op::Other, "define-downloaded-image");
  c.args = {p[2], p[3]};
  std::size_t used = withPayload(p, n, 4, std::size_t(p[2]) * p[3] * 8, c, skip);
  c.data.clear();
  return used;
}

// FS q n [xL xH yL yH d...]...: n images of x*8 columns, y bytes each.
std::size_t nvDefine(const std::uint8_t* p, std::size_t n, Command& c, std::size_t& skip) {
  if (n < 3) return 0;
  set(c, Op::NvBitImageDefine, "nv-bit-image-define");
  c.args = {p[2]};
  std::size_t body = 0;
  for (unsigned i = 0; i < p[2]; ++i) {
    if (n < 3 + body + 4) {
      if (3 + body + 4 > kMaxCommand) break;
      return 0;
    }
    const std::uint8_t* h = p + 3 + body;
    body += 4 + std::size_t(u16(h)) * u16(h + 2) * 8;
    if (body > kMaxCommand) break;
  }
  return withPayload(p, n, 3, body, c, skip);
}

// DLE EOT n [a], DLE DC4 fn ...
std::size_t dle(const std::uint8_t* p, std::size_t n, Command& c) {
  if (n < 3) return 0;
  if (p[1] == 0x04) {
    bool extra = p[2] == 7 || p[2] == 8 || p[2] == 18;
    if (extra && n < 4) return 0;
    set(c, Op::RealtimeStatus, "realtime-status");
    c.args = {p[2]};
    if (extra) c.args.push_back(p[3]);
    return extra ? 4 : 3;
  }
  if (p[1] != 0x14) return kNoMatch;
  struct { std::uint8_t fn, params; Op op; const char* name; } const kDc4[] = {
      {1, 2, Op::RealtimePulse, "realtime-pulse"},
      {2, 2, Op::RealtimePowerOff, "realtime-power-off"},
      {8, 7, Op::RealtimeClear, "realtime-clear"},
  };
  for (const auto& f : kDc4) {
    if (f.fn != p[2]) continue;
    if (n < 3u + f.params) return 0;
    set(c, f.op, f.name);
    for (int i = 0; i < f.params; ++i) c.args.push_back(p[3 + i]);
    return 3u + f.params;
  }
  return kNoMatch;
}

using Special = std::size_t (*)(const std::uint8_t*, std::size_t, Command&, std::size_t&);

Special findSpecial(std::uint8_t lead, std::uint8_t code) {
  struct Entry { std::uint8_t lead, code; Special fn; };
  static const Entry kSpecial[] = {
      {ESC, '*', bitImage},
      {ESC, 'D', [](const std::uint8_t* p, std::size_t n, Command& c, std::size_t&) { return tabs(p, n, c); }},
      {ESC, '&', [](const std::uint8_t* p, std::size_t n, Command& c, std::size_t&) { return userChars(p, n, c); }},
      {ESC, 'c', [](const std::uint8_t* p, std::size_t n, Command& c, std::size_t&) { return escC(p, n, c); }},
      {GS, 'V', [](const std::uint8_t* p, std::size_t n, Command& c, std::size_t&) { return cut(p, n, c); }},
      {GS, 'k', [](const std::uint8_t* p, std::size_t n, Command& c, std::size_t&) { return barCode(p, n, c); }},
      {GS, 'v', [](const std::uint8_t* p, std::size_t n, Command& c, std::size_t& s) {
         if (n < 3) return std::size_t(0);
         return p[2] == '0' ? raster(p, n, c, s) : kNoMatch;
       }},
      {GS, '(', gsParen},
      {ESC, '(', [](const std::uint8_t* p, std::size_t n, Command& c, std::size_t& s) {
         return skipParen(p, n, "esc-paren", c, s);
       }},
      {FS, '(', fsParen},
      {ESC, 'Z', symbolPrint},
      {GS, '8', gsEight},
      {GS, '*', downloadImage},
      {FS, 'q', nvDefine},
      {DLE, 0x04, [](const std::uint8_t* p, std::size_t n, Command& c, std::size_t&) { return dle(p, n, c); }},
      {DLE, 0x14, [](const std::uint8_t* p, std::size_t n, Command& c, std::size_t&) { return dle(p, n, c); }},
  };
  for (const Entry& e : kSpecial)
    if (e.lead == lead && e.code == code) return e.fn;
  return nullptr;
}

// Bytes after a lead byte that fit no command: drop the lead and its code
// byte, or only the lead when the code byte is itself a control byte.
std::size_t unknown(const std::uint8_t* p, Command& c) {
  c = Command();
  set(c, Op::Unknown, "unknown");
  return p[1] < 0x20 ? 1 : 2;
}

}  // namespace

std::size_t parseAt(const std::uint8_t* p, std::size_t n, Command& c, std::size_t& skip) {
  std::uint8_t lead = p[0];
  if (lead >= 0x20) return text(p, n, c);
  if (lead != ESC && lead != GS && lead != FS && lead != DLE) return control(lead, c);
  if (n < 2) return 0;
  if (Special fn = findSpecial(lead, p[1])) {
    std::size_t used = fn(p, n, c, skip);
    if (used != kNoMatch) return used;
    skip = 0;
    return unknown(p, c);
  }
  if (const Fixed* f = findFixed(lead, p[1])) return fixed(*f, p, n, c);
  return unknown(p, c);
}

}  // namespace vprinter
