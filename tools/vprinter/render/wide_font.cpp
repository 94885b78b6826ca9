#include "tools/vprinter/render/wide_font.h"

#include <zlib.h>

#include <algorithm>
#include <mutex>

namespace vprinter {
namespace {

constexpr int kCell = 24;
constexpr std::size_t kMaxFile = 64u << 20;

// PCF table types and format bits.
constexpr std::uint32_t kAccelerators = 1 << 1, kMetrics = 1 << 2, kBitmaps = 1 << 3, kEncodings = 1 << 5;
constexpr std::uint32_t kCompressedMetrics = 0x100, kMsByte = 1 << 2, kMsBit = 1 << 3;

std::string readAll(const std::string& path) {
  std::string data;
  gzFile f = gzopen(path.c_str(), "rb");
  if (!f) return data;
  char buf[1 << 16];
  int n;
  while ((n = gzread(f, buf, sizeof buf)) > 0 && data.size() < kMaxFile) data.append(buf, std::size_t(n));
  gzclose(f);
  return n < 0 ? std::string() : data;
}

// Bounds-checked reads in the byte order of a table's format.
struct Reader {
  const std::string& d;
  bool ok = true;
  std::uint32_t u(std::size_t at, int bytes, bool msb) {
    if (at > d.size() || d.size() - at < std::size_t(bytes)) {
      ok = false;
      return 0;
    }
    std::uint32_t v = 0;
    for (int i = 0; i < bytes; ++i) {
      std::uint32_t b = std::uint8_t(d[at + (msb ? i : bytes - 1 - i)]);
      v = (v << 8) | b;
    }
    return v;
  }
  std::int32_t s16(std::size_t at, bool msb) { return std::int16_t(u(at, 2, msb)); }
};

struct Table {
  std::uint32_t format = 0;
  std::size_t offset = 0;
  bool found = false;
};

struct Metric {
  int left = 0, right = 0, width = 0, ascent = 0, descent = 0;
};

}  // namespace

bool WideFont::load(const std::string& path) {
  glyphs_.clear();
  rows_.clear();
  const std::string d = readAll(path);
  Reader r{d};
  if (d.compare(0, 4, "\1fcp") != 0) return false;
  Table acc, met, bmp, enc;
  std::uint32_t tables = r.u(4, 4, false);
  for (std::uint32_t i = 0; i < tables && i < 64 && r.ok; ++i) {
    std::size_t at = 8 + 16 * std::size_t(i);
    std::uint32_t type = r.u(at, 4, false);
    Table t{r.u(at + 4, 4, false), r.u(at + 12, 4, false), true};
    if (type == kAccelerators) acc = t;
    if (type == kMetrics) met = t;
    if (type == kBitmaps) bmp = t;
    if (type == kEncodings) enc = t;
  }
  if (!r.ok || !acc.found || !met.found || !bmp.found || !enc.found) return false;

  bool msb = acc.format & kMsByte;
  int fontAscent = std::int32_t(r.u(acc.offset + 12, 4, msb));

  std::vector<Metric> metrics;
  msb = met.format & kMsByte;
  if (met.format & kCompressedMetrics) {
    std::uint32_t n = r.u(met.offset + 4, 2, msb);
    for (std::uint32_t i = 0; i < n && r.ok; ++i) {
      std::size_t at = met.offset + 6 + 5 * std::size_t(i);
      auto b = [&](int k) { return int(r.u(at + k, 1, msb)) - 0x80; };
      metrics.push_back({b(0), b(1), b(2), b(3), b(4)});
    }
  } else {
    std::uint32_t n = r.u(met.offset + 4, 4, msb);
    for (std::uint32_t i = 0; i < n && i < 0x110000 && r.ok; ++i) {
      std::size_t at = met.offset + 8 + 12 * std::size_t(i);
      metrics.push_back({r.s16(at, msb), r.s16(at + 2, msb), r.s16(at + 4, msb), r.s16(at + 6, msb),
                         r.s16(at + 8, msb)});
    }
  }

  msb = bmp.format & kMsByte;
  const bool msBit = bmp.format & kMsBit;
  const std::size_t pad = std::size_t(1) << (bmp.format & 3);
  const std::size_t unit = std::size_t(1) << ((bmp.format >> 4) & 3);
  std::uint32_t count = r.u(bmp.offset + 4, 4, msb);
  if (!r.ok || count != metrics.size()) return false;
  const std::size_t data = bmp.offset + 8 + 4 * std::size_t(count) + 16;
  // The bit at (x, row) of a glyph whose rows are `stride` bytes from `at`.
  auto bit = [&](std::size_t at, std::size_t stride, int x, int row) {
    std::size_t byte = std::size_t(x) / 8;
    if (unit > 1 && msb != msBit) byte = byte / unit * unit + (unit - 1 - byte % unit);
    std::uint32_t v = r.u(at + stride * std::size_t(row) + byte, 1, true);
    return msBit ? (v >> (7 - x % 8)) & 1 : (v >> (x % 8)) & 1;
  };

  msb = enc.format & kMsByte;
  int min2 = r.s16(enc.offset + 4, msb), max2 = r.s16(enc.offset + 6, msb);
  int min1 = r.s16(enc.offset + 8, msb), max1 = r.s16(enc.offset + 10, msb);
  if (!r.ok || min2 < 0 || max2 > 255 || min2 > max2 || min1 < 0 || max1 > 255 || min1 > max1) return false;
  const int per = max2 - min2 + 1;
  for (int b1 = min1; b1 <= max1 && r.ok; ++b1) {
    for (int b2 = min2; b2 <= max2; ++b2) {
      std::size_t at = enc.offset + 14 + 2 * std::size_t((b1 - min1) * per + (b2 - min2));
      std::uint32_t index = r.u(at, 2, msb);
      if (!r.ok || index == 0xFFFF || index >= count) continue;
      const Metric& m = metrics[index];
      if (m.width <= 0 || m.width > kCell) continue;
      std::size_t start = data + r.u(bmp.offset + 8 + 4 * std::size_t(index), 4, msb);
      int w = m.right - m.left, h = m.ascent + m.descent;
      std::size_t stride = (std::size_t(std::max(w, 0)) + 7) / 8;
      stride = (stride + pad - 1) / pad * pad;
      Glyph g{std::uint8_t(m.width), std::uint32_t(rows_.size())};
      rows_.resize(rows_.size() + 3 * kCell, 0);
      for (int row = 0; row < h; ++row) {
        int y = fontAscent - m.ascent + row;
        for (int x = 0; x < w && y >= 0 && y < kCell; ++x) {
          int cx = m.left + x;
          if (cx >= 0 && cx < kCell && bit(start, stride, x, row))
            rows_[g.offset + 3 * std::size_t(y) + std::size_t(cx) / 8] |= std::uint8_t(0x80 >> (cx % 8));
        }
      }
      if (!r.ok) {  // a glyph past the end of the file: drop it and stop
        rows_.resize(g.offset);
        r.ok = true;
        continue;
      }
      glyphs_.emplace(char32_t(b1 * 256 + b2), g);
    }
  }
  return !glyphs_.empty();
}

Bitmap WideFont::glyph(char32_t cp) const {
  auto it = glyphs_.find(cp);
  if (it == glyphs_.end()) return Bitmap();
  const Glyph& g = it->second;
  Bitmap b(g.width, kCell);
  for (int y = 0; y < kCell; ++y)
    for (int x = 0; x < g.width; ++x)
      if (rows_[g.offset + 3 * std::size_t(y) + std::size_t(x) / 8] & (0x80 >> (x % 8))) b.set(x, y, 1);
  return b;
}

namespace {

std::mutex gFontMutex;
std::string gFontDir = "/usr/share/fonts/X11/misc";

WideFont loadNamed(const char* name) {
  WideFont f;
  std::lock_guard<std::mutex> lock(gFontMutex);
  f.load(gFontDir + "/" + name);
  return f;
}

}  // namespace

const char* defaultWideFontDir() { return "/usr/share/fonts/X11/misc"; }

void setWideFontDir(const std::string& dir) {
  std::lock_guard<std::mutex> lock(gFontMutex);
  gFontDir = dir;
}

const WideFont& fullWidthFont() {
  static const WideFont font = loadNamed("f24.pcf.gz");
  return font;
}

const WideFont& halfWidthFont() {
  static const WideFont font = loadNamed("h24.pcf.gz");
  return font;
}

}  // namespace vprinter
