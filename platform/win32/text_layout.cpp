// Runs drawn with Uniscribe and GDI: Uniscribe's items are cut where the
// font changes (each character in the first font of the list that has it),
// shaped and placed, laid out in display order and drawn without
// antialiasing into a DIB section, which is then read 1 bit deep.
// Every GDI object and script cache belongs to one call.
#include <windows.h>
#include <usp10.h>

#include <algorithm>
#include <cstring>
#include <iterator>
#include <map>
#include <mutex>
#include <utility>
#include <vector>

#include "platform/any/text_cell.h"
#include "platform/text_layout.h"
#include "platform/win32/uniscribe_line.h"

namespace platform {
namespace {

// Tried in this order; those the system lacks are passed over. Windows'
// own fonts first, then the families Wine finds on a Debian host.
constexpr const wchar_t* kFaces[] = {
    L"Segoe UI",        L"Arial",           L"DejaVu Sans",          L"Noto Sans",
    L"Tahoma",          L"Noto Sans Hebrew", L"Noto Sans Arabic",    L"Nirmala UI",
    L"Mangal",          L"Noto Sans Devanagari", L"Leelawadee UI",   L"Leelawadee",
    L"Noto Sans Thai",  L"Microsoft YaHei", L"SimSun",               L"Yu Gothic",
    L"MS Gothic",       L"Malgun Gothic",   L"Gulim",                L"Droid Sans Fallback",
    L"Segoe UI Symbol", L"Segoe UI Emoji",  L"Symbola",
};

bool JoinsPrevious(const std::u32string& text, size_t i) {
  const char32_t c = text[i];
  if (c == 0x200C || c == 0x200D || (c >= 0xFE00 && c <= 0xFE0F) || (c >= 0x1F3FB && c <= 0x1F3FF) ||
      (c >= 0xE0020 && c <= 0xE007F) || (c >= 0xE0100 && c <= 0xE01EF)) {
    return true;
  }
  if (c >= 0x10000) return false;
  const wchar_t w = static_cast<wchar_t>(c);
  WORD type = 0;
  return GetStringTypeW(CT_CTYPE3, &w, 1, &type) && (type & (C3_NONSPACING | C3_DIACRITIC)) != 0;
}

// A shaped piece: one font, one item's analysis.
struct Piece {
  int item = 0;
  int start = 0;  // UTF-16 units
  int end = 0;
  size_t font = 0;
  SCRIPT_ANALYSIS analysis = {};
  std::vector<WORD> glyphs;
  std::vector<int> advances;
  std::vector<GOFFSET> offsets;
  int width = 0;
};

// The call's device context and the fonts opened on it so far.
class Fonts {
 public:
  Fonts(int32_t em, bool bold) : em_(em), bold_(bold), dc_(CreateCompatibleDC(nullptr)) {}
  ~Fonts() {
    if (dc_ != nullptr) SelectObject(dc_, GetStockObject(SYSTEM_FONT));
    for (Font& f : fonts_) {
      if (f.cache != nullptr) ScriptFreeCache(&f.cache);
      if (f.handle != nullptr) DeleteObject(f.handle);
    }
    if (dc_ != nullptr) DeleteDC(dc_);
  }
  Fonts(const Fonts&) = delete;
  Fonts& operator=(const Fonts&) = delete;

  HDC dc() const { return dc_; }
  static constexpr size_t size() { return std::size(kFaces); }

  // Selects font i; false when the system has no such family.
  bool Select(size_t i) {
    if (dc_ == nullptr || i >= size()) return false;
    Font& f = fonts_[i];
    if (!f.tried) {
      f.tried = true;
      LOGFONTW lf = {};
      lf.lfHeight = -em_;
      lf.lfWeight = bold_ ? FW_BOLD : FW_NORMAL;
      lf.lfCharSet = DEFAULT_CHARSET;
      lf.lfOutPrecision = OUT_TT_ONLY_PRECIS;
      lf.lfQuality = NONANTIALIASED_QUALITY;
      wcsncpy(lf.lfFaceName, kFaces[i], LF_FACESIZE - 1);
      f.handle = CreateFontIndirectW(&lf);
      wchar_t got[LF_FACESIZE] = {};
      if (f.handle != nullptr && SelectObject(dc_, f.handle) != nullptr &&
          GetTextFaceW(dc_, LF_FACESIZE, got) > 0 && lstrcmpiW(got, kFaces[i]) == 0) {
        SCRIPT_FONTPROPERTIES props = {};
        props.cBytes = sizeof(props);
        f.present = SUCCEEDED(ScriptGetFontProperties(dc_, &f.cache, &props));
        f.missing = props.wgDefault;
      }
    }
    return f.present && SelectObject(dc_, f.handle) != nullptr;
  }
  SCRIPT_CACHE* cache(size_t i) { return &fonts_[i].cache; }
  bool Missing(size_t i, WORD glyph) const { return glyph == 0 || glyph == fonts_[i].missing; }

 private:
  struct Font {
    bool tried = false;
    bool present = false;
    HFONT handle = nullptr;
    SCRIPT_CACHE cache = nullptr;
    WORD missing = 0;
  };
  int32_t em_;
  bool bold_;
  HDC dc_;
  Font fonts_[std::size(kFaces)];
};

enum class Shaped { kAll, kMissing, kFailed };

Shaped Shape(const UniscribeLine& line, Fonts* fonts, Piece* p) {
  if (!fonts->Select(p->font)) return Shaped::kFailed;
  const int chars = p->end - p->start;
  std::vector<WORD> clusters(static_cast<size_t>(chars));
  std::vector<SCRIPT_VISATTR> attrs;
  int count = 0;
  HRESULT hr = E_OUTOFMEMORY;
  for (int room = chars * 3 / 2 + 16; hr == E_OUTOFMEMORY && room <= chars * 8 + 64; room *= 2) {
    p->glyphs.resize(static_cast<size_t>(room));
    attrs.resize(static_cast<size_t>(room));
    hr = ScriptShape(fonts->dc(), fonts->cache(p->font), line.text.data() + p->start, chars, room, &p->analysis,
                     p->glyphs.data(), clusters.data(), attrs.data(), &count);
  }
  if (FAILED(hr)) return Shaped::kFailed;
  p->glyphs.resize(static_cast<size_t>(count));
  p->advances.assign(static_cast<size_t>(count), 0);
  p->offsets.assign(static_cast<size_t>(count), GOFFSET{});
  ABC abc = {};
  if (FAILED(ScriptPlace(fonts->dc(), fonts->cache(p->font), p->glyphs.data(), count, attrs.data(), &p->analysis,
                         p->advances.data(), p->offsets.data(), &abc))) {
    return Shaped::kFailed;
  }
  p->width = abc.abcA + static_cast<int>(abc.abcB) + abc.abcC;
  const bool missing = std::any_of(p->glyphs.begin(), p->glyphs.end(),
                                   [&](WORD g) { return fonts->Missing(p->font, g); });
  return missing ? Shaped::kMissing : Shaped::kAll;
}

// Which font each code point gets, remembered for the call.
class FontChooser {
 public:
  FontChooser(const UniscribeLine& line, Fonts* fonts) : line_(line), fonts_(fonts) {}

  bool Has(size_t font, int item, int start, int end) {
    const auto key = std::make_pair(font, line_.text.substr(start, end - start));
    const auto known = known_.find(key);
    if (known != known_.end()) return known->second;
    Piece p;
    p.start = start;
    p.end = end;
    p.font = font;
    p.analysis = line_.items[item].a;
    const bool has = Shape(line_, fonts_, &p) == Shaped::kAll;
    known_.emplace(key, has);
    return has;
  }

  // The first font that has the code point at units [start, end), or the
  // first font there is when none has it.
  size_t First(int item, int start, int end) {
    size_t fallback = Fonts::size();
    for (size_t f = 0; f < Fonts::size(); ++f) {
      if (!fonts_->Select(f)) continue;
      if (fallback == Fonts::size()) fallback = f;
      if (Has(f, item, start, end)) return f;
    }
    return fallback;
  }

 private:
  const UniscribeLine& line_;
  Fonts* fonts_;
  std::map<std::pair<size_t, std::wstring>, bool> known_;
};

// An item's pieces: a character stays in the font before it when that font
// has it (so spaces and digits do not split a word), marks always do.
void CutItem(const std::u32string& text, const UniscribeLine& line, int item, FontChooser* chooser,
             size_t* last_font, std::vector<Piece>* pieces) {
  size_t& current = *last_font;
  for (int u = line.start(item); u < line.end(item);) {
    int next = u + 1;
    while (next < line.end(item) && line.code_point[next] == line.code_point[u]) ++next;
    size_t font = current;
    if (current == Fonts::size() ||
        (!JoinsPrevious(text, line.code_point[u]) && !chooser->Has(current, item, u, next))) {
      font = chooser->First(item, u, next);
    }
    if (font != current || pieces->empty() || pieces->back().item != item) {
      Piece p;
      p.item = item;
      p.start = u;
      p.font = font;
      p.analysis = line.items[item].a;
      pieces->push_back(std::move(p));
      current = font;
    }
    pieces->back().end = next;
    u = next;
  }
}

// Pieces no font could shape are drawn with the default glyphs.
std::vector<Piece> ShapeLine(const std::u32string& text, const UniscribeLine& line, Fonts* fonts) {
  FontChooser chooser(line, fonts);
  std::vector<Piece> pieces;
  size_t last_font = Fonts::size();
  for (int item = 0; item < line.count(); ++item) CutItem(text, line, item, &chooser, &last_font, &pieces);
  std::vector<Piece> shaped;
  for (Piece& p : pieces) {
    if (p.font >= Fonts::size()) continue;
    if (Shape(line, fonts, &p) == Shaped::kFailed) {
      p.analysis.eScript = SCRIPT_UNDEFINED;
      if (Shape(line, fonts, &p) == Shaped::kFailed) continue;
    }
    shaped.push_back(std::move(p));
  }
  return shaped;
}

// A top-down 32-bit DIB section selected into the call's DC, white.
class Canvas {
 public:
  Canvas(HDC dc, int32_t width, int32_t height) : dc_(dc) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    bitmap_ = CreateDIBSection(dc, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    if (bitmap_ == nullptr) return;
    old_ = SelectObject(dc, bitmap_);
    std::memset(bits_, 0xFF, static_cast<size_t>(width) * static_cast<size_t>(height) * 4);
  }
  ~Canvas() {
    if (old_ != nullptr) SelectObject(dc_, old_);
    if (bitmap_ != nullptr) DeleteObject(bitmap_);
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;

  bool ok() const { return old_ != nullptr; }
  // Dark pixels become dots.
  void Read(TextPicture* out) const {
    GdiFlush();
    for (size_t i = 0; i < out->dots.size(); ++i) {
      const uint32_t px = bits_[i];
      const uint32_t light = (px & 0xFF) + ((px >> 8) & 0xFF) + ((px >> 16) & 0xFF);
      out->dots[i] = light < 3 * 128 ? 1 : 0;
    }
  }

 private:
  HDC dc_;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  uint32_t* bits_ = nullptr;
};

// The font mapper and the shaping engine keep process-wide state of their
// own; under Wine two threads drawing at once were seen to get different
// pictures of the same run, so draws take turns.
std::mutex& DrawLock() {
  static std::mutex lock;
  return lock;
}

}  // namespace

bool DrawTextRun(std::u32string_view run, int32_t height, bool bold, TextPicture* out) {
  *out = TextPicture{};
  if (run.empty() || height <= 0 || height > kMaxTextPictureHeight) return false;
  const std::u32string text = ScalarValues(run);
  std::lock_guard<std::mutex> turn(DrawLock());
  UniscribeLine line;
  const TextCell cell = CellFor(height);
  Fonts fonts(cell.em, bold);
  if (fonts.dc() == nullptr || !ItemizeLine(text, &line)) return false;
  std::vector<Piece> pieces = ShapeLine(text, line, &fonts);
  std::vector<BYTE> levels;
  for (const Piece& p : pieces) levels.push_back(static_cast<BYTE>(p.analysis.s.uBidiLevel));
  const std::vector<int> order = LayoutLevels(levels);
  int64_t advance = 0;
  for (const Piece& p : pieces) advance += p.width;
  const int32_t width = static_cast<int32_t>(std::min<int64_t>(advance, kMaxTextPictureWidth));
  if (order.size() != pieces.size() || !StartPicture(width, height, out)) return false;

  Canvas canvas(fonts.dc(), out->width, height);
  if (!canvas.ok()) {
    *out = TextPicture{};
    return false;
  }
  SetTextColor(fonts.dc(), RGB(0, 0, 0));
  SetBkMode(fonts.dc(), TRANSPARENT);
  SetTextAlign(fonts.dc(), TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  int x = 0;
  for (int i : order) {
    Piece& p = pieces[i];
    if (x >= out->width) break;
    if (fonts.Select(p.font)) {
      ScriptTextOut(fonts.dc(), fonts.cache(p.font), x, cell.baseline, 0, nullptr, &p.analysis, nullptr, 0,
                    p.glyphs.data(), static_cast<int>(p.glyphs.size()), p.advances.data(), nullptr,
                    p.offsets.data());
    }
    x += p.width;
  }
  canvas.Read(out);
  return true;
}

}  // namespace platform
