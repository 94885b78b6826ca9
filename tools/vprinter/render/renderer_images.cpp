// Images, bar codes and 2D symbols.
#include <algorithm>
#include <cstring>

#include "tools/vprinter/render/font.h"
#include "tools/vprinter/render/renderer.h"

namespace vprinter {
namespace {

const std::uint8_t* bytes(const std::string& s) { return reinterpret_cast<const std::uint8_t*>(s.data()); }
int argAt(const Command& c, std::size_t i) { return i < c.args.size() ? c.args[i] : 0; }
unsigned u16(const std::string& s, std::size_t i) {
  return i + 1 < s.size() ? (std::uint8_t(s[i]) | (std::uint8_t(s[i + 1]) << 8)) : 0;
}
// Colour numbers 49..52 ('1'..'4') to the paper's colour indexes.
std::uint8_t colourIndex(int c) { return c == '2' ? 2 : (c == '3' || c == '4') ? 3 : 1; }

}  // namespace

std::string Renderer::imageCommand(const Command& c) {
  switch (c.op) {
    case Op::RasterImage: {
      int m = argAt(c, 0) & 3, x = argAt(c, 1), y = argAt(c, 2);
      Bitmap b = fromRows(bytes(c.data), c.data.size(), x * 8, x, y, style_.colour);
      printBlock(scale(b, (m & 1) ? 2 : 1, (m & 2) ? 2 : 1));
      return "";
    }
    case Op::BitImage: {
      int per = argAt(c, 0) >= 32 ? 3 : 1;
      Bitmap b = fromColumns(bytes(c.data), c.data.size(), argAt(c, 1), per, style_.colour);
      add(b, b.w);
      return "";
    }
    case Op::GraphicsStore: return graphicsStore(c);
    case Op::GraphicsPrint: return graphicsPrint();
    case Op::NvGraphicsStore: return nvGraphicsStore(c);
    case Op::NvGraphicsPrint: {
      auto it = nvGraphics_.find({argAt(c, 1), argAt(c, 2)});
      if (it == nvGraphics_.end()) return "no stored graphics with this key";
      printBlock(scale(it->second, argAt(c, 3) == 2 ? 2 : 1, argAt(c, 4) == 2 ? 2 : 1));
      return "";
    }
    case Op::NvBitImageDefine: return nvBitImageDefine(c);
    case Op::NvBitImagePrint: {
      int n = argAt(c, 0), m = argAt(c, 1) & 3;
      if (n < 1 || n > int(nvBitImages_.size())) return "no stored bit image " + std::to_string(n);
      printBlock(scale(nvBitImages_[n - 1], (m & 1) ? 2 : 1, (m & 2) ? 2 : 1));
      return "";
    }
    default: return "";
  }
}

// args: a bx by c x y; data: ceil(x/8) * y bytes of one colour plane.
std::string Renderer::graphicsStore(const Command& c) {
  int x = argAt(c, 4), y = argAt(c, 5);
  Plane p{colourIndex(argAt(c, 3)), argAt(c, 1) == 2 ? 2 : 1, argAt(c, 2) == 2 ? 2 : 1,
          fromRows(bytes(c.data), c.data.size(), x, (x + 7) / 8, y, colourIndex(argAt(c, 3)))};
  graphics_.erase(std::remove_if(graphics_.begin(), graphics_.end(),
                                 [&](const Plane& q) { return q.colour == p.colour; }),
                  graphics_.end());
  graphics_.push_back(std::move(p));
  return "";
}

std::string Renderer::graphicsPrint() {
  if (graphics_.empty()) return "no graphics stored";
  int w = 0, h = 0;
  for (const Plane& p : graphics_) {
    w = std::max(w, p.bmp.w * p.sx);
    h = std::max(h, p.bmp.h * p.sy);
  }
  Bitmap b(w, h);
  for (const Plane& p : graphics_) b.blit(scale(p.bmp, p.sx, p.sy), 0, 0);
  graphics_.clear();
  printBlock(b);
  return "";
}

// data: m fn a kc1 kc2 b xL xH yL yH, then b times: c and the plane bytes.
std::string Renderer::nvGraphicsStore(const Command& c) {
  const std::string& d = c.data;
  if (d.size() < 10) return "short header";
  int planes = std::uint8_t(d[5]), x = u16(d, 6), y = u16(d, 8);
  std::size_t k = std::size_t((x + 7) / 8) * y, pos = 10;
  Bitmap b(x, y);
  for (int i = 0; i < planes && pos < d.size(); ++i) {
    std::uint8_t colour = colourIndex(std::uint8_t(d[pos]));
    std::size_t avail = std::min(k, d.size() - pos - 1);
    b.blit(fromRows(bytes(d) + pos + 1, avail, x, (x + 7) / 8, y, colour), 0, 0);
    pos += 1 + k;
  }
  nvGraphics_[{std::uint8_t(d[3]), std::uint8_t(d[4])}] = b;
  return "";
}

// data: n times xL xH yL yH and x*8 columns of y bytes.
std::string Renderer::nvBitImageDefine(const Command& c) {
  const std::string& d = c.data;
  nvBitImages_.clear();
  std::size_t pos = 0;
  for (int i = 0; i < argAt(c, 0) && pos + 4 <= d.size(); ++i) {
    int x = u16(d, pos), y = u16(d, pos + 2);
    std::size_t k = std::size_t(x) * y * 8;
    std::size_t avail = std::min(k, d.size() - pos - 4);
    nvBitImages_.push_back(fromColumns(bytes(d) + pos + 4, avail, x * 8, y, 1));
    pos += 4 + k;
  }
  return std::to_string(nvBitImages_.size()) + " images stored";
}

std::string Renderer::codeCommand(const Command& c) {
  int n = argAt(c, 0);
  int d = n >= '0' && n <= '9' ? n - '0' : n;
  switch (c.op) {
    case Op::HriPosition: hriPosition_ = d & 3; break;
    case Op::HriFont: hriFont_ = d & 1; break;
    case Op::BarHeight: barHeight_ = std::max(n, 1); break;
    case Op::BarWidth: barWidth_ = std::clamp(n, 1, 6); break;
    case Op::BarCode: return barCode(c);
    case Op::Symbol2D: return symbol(c);
    case Op::SymbolType: symbolType_ = d; break;
    case Op::SymbolPrint: return symbolPrint(c);
    default: break;
  }
  return "";
}

Bitmap Renderer::withHri(const Symbol& s) const {
  if (hriPosition_ == 0 || s.hri.empty()) return s.bars;
  FontMetrics m = fontMetrics(hriFont_);
  int textW = int(s.hri.size()) * m.width;
  Bitmap text(textW, m.height);
  for (std::size_t i = 0; i < s.hri.size(); ++i)
    text.blit(glyph(hriFont_, std::uint8_t(s.hri[i])), int(i) * m.width, 0);
  bool above = hriPosition_ & 1, below = hriPosition_ & 2;
  int w = std::max(textW, s.bars.w), gap = 2;
  Bitmap out(w, s.bars.h + (above + below) * (m.height + gap));
  int y = 0;
  if (above) {
    out.blit(text, (w - textW) / 2, 0);
    y = m.height + gap;
  }
  out.blit(s.bars, (w - s.bars.w) / 2, y);
  if (below) out.blit(text, (w - textW) / 2, y + s.bars.h + gap);
  return out;
}

std::string Renderer::barCode(const Command& c) {
  Symbol s = makeLinear(LinearSymbol{argAt(c, 0), c.data, barWidth_, barHeight_});
  if (s.bars.empty()) return "not printed: " + s.error;
  printBlock(withHri(s));
  return "";
}

// args: cn fn parameters...; data: the stored bytes for fn 0x50.
std::string Renderer::symbol(const Command& c) {
  int cn = argAt(c, 0), fn = argAt(c, 1), a = argAt(c, 2), b = argAt(c, 3);
  if (cn == 0x30) {  // PDF417
    switch (fn) {
      case 0x41: pdf417_.columns = a; break;
      case 0x42: pdf417_.rows = a; break;
      case 0x43: pdf417_.module = a; break;
      case 0x44: pdf417_.rowHeight = a; break;
      case 0x45: pdf417_.ecLevel = a == 0x30 ? b - 0x30 : -1; break;
      case 0x50: pdf417_.data = c.data; break;
      case 0x51: {
        Symbol s = makePdf417(pdf417_);
        if (s.bars.empty()) return "not printed: " + s.error;
        printBlock(s.bars);
        break;
      }
      default: return "setting ignored";
    }
    return "";
  }
  if (cn == 0x31) {  // QR Code
    switch (fn) {
      case 0x41: qr_.model = a - 0x30; break;
      case 0x43: qr_.module = a; break;
      case 0x45: qr_.ecLevel = std::clamp(a - 0x30, 0, 3); break;
      case 0x50: qr_.data = c.data; break;
      case 0x51: {
        Symbol s = makeQr(qr_);
        if (s.bars.empty()) return "not printed: " + s.error;
        printBlock(s.bars);
        break;
      }
      default: return "setting ignored";
    }
    return "";
  }
  if (cn == 0x33 || cn == 0x35 || cn == 0x36) return matrixSymbol(c);
  return "symbol type not supported";
}

// cn 51 stacked GS1 DataBar: fn 67 module; store 48 type data.
// cn 53 Aztec: fn 68 module. cn 54 Data Matrix: fn 67 module.
std::string Renderer::matrixSymbol(const Command& c) {
  int cn = argAt(c, 0), fn = argAt(c, 1), a = argAt(c, 2);
  MatrixSymbol& m = cn == 0x33 ? dataBar_ : cn == 0x35 ? aztec_ : dataMatrix_;
  m.kind = cn == 0x33 ? MatrixSymbol::kDataBarStacked : cn == 0x35 ? MatrixSymbol::kAztec : MatrixSymbol::kDataMatrix;
  const int moduleFn = cn == 0x35 ? 0x44 : 0x43;
  if (fn == moduleFn) {
    m.module = a;
  } else if (fn == 0x50) {
    m.data = c.data;
    if (cn == 0x33 && !m.data.empty()) {
      m.type = (unsigned char)m.data[0];
      m.data.erase(0, 1);
    }
  } else if (fn == 0x51) {
    Symbol s = makeMatrix(m);
    if (s.bars.empty()) return "not printed: " + s.error;
    printBlock(s.bars);
  } else if (fn == 0x42 || fn == 0x43 || fn == 0x45 || fn == 0x47) {
    // Type, size, layers, error correction and width: drawn automatic.
  } else {
    return "setting ignored";
  }
  return "";
}

// ESC Z m n k: the symbol's own settings, not those stored with GS ( k.
// PDF417: m columns, n error correction level, k row height in modules.
// QR Code: m version, n level 'L' 'M' 'Q' 'H', k module size.
std::string Renderer::symbolPrint(const Command& c) {
  int m = argAt(c, 0), n = argAt(c, 1), k = argAt(c, 2);
  Symbol s;
  if (symbolType_ == 0) {
    Pdf417Symbol pdf;
    pdf.data = c.data;
    pdf.columns = m;
    pdf.ecLevel = n <= 8 ? n : -1;
    pdf.rowHeight = k;
    s = makePdf417(pdf);
  } else if (symbolType_ == 2) {
    static const char kLevels[] = "LMQH";
    QrSymbol qr;
    qr.data = c.data;
    qr.version = m;
    const char* level = n ? std::strchr(kLevels, n) : nullptr;
    qr.ecLevel = level ? int(level - kLevels) : 0;
    qr.module = k;
    s = makeQr(qr);
  } else {
    return "symbol type " + std::to_string(symbolType_) + " not supported";
  }
  if (s.bars.empty()) return "not printed: " + s.error;
  printBlock(s.bars);
  return "";
}

}  // namespace vprinter
