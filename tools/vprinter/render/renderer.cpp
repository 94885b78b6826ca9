#include "tools/vprinter/render/renderer.h"

#include <algorithm>

#include "tools/vprinter/render/font.h"

namespace vprinter {
namespace {

// Parameters given either as 0..n or as the digits '0'..'n'.
int digitArg(int v) { return v >= '0' && v <= '9' ? v - '0' : v; }
int argAt(const Command& c, std::size_t i) { return i < c.args.size() ? c.args[i] : 0; }

}  // namespace

Renderer::Renderer(Receipts& paper, int cutterDistance, Multibyte kanji)
    : paper_(paper), cutterDistance_(cutterDistance), kanjiFamily_(kanji) {
  reset();
}

void Renderer::reset() {
  style_ = TextStyle();
  kanji_ = KanjiStyle();
  decoder_ = TextDecoder();
  decoder_.mode.multibyte = kanjiFamily_;
  userKanji_.clear();
  align_ = 0;
  lineSpacing_ = 30;
  leftMargin_ = 0;
  areaWidth_ = paper_.width();
  line_.clear();
  x_ = 0;
  hriPosition_ = 0;
  hriFont_ = 0;
  barHeight_ = 162;
  barWidth_ = 3;
  pdf417_ = Pdf417Symbol();
  qr_ = QrSymbol();
  symbolType_ = 0;
  graphics_.clear();
  page_ = Page();
}

bool Renderer::handles(Op op) {
  switch (op) {
    case Op::Nul: case Op::SelectPeripheral: case Op::PaperSensorSignal: case Op::PaperSensorStop:
    case Op::PanelButtons: case Op::DrawerKick: case Op::AsbEnable: case Op::InkAsbEnable:
    case Op::RealtimeStatus: case Op::RealtimeRecover: case Op::RealtimePulse: case Op::RealtimeClear:
    case Op::RealtimePowerOff: case Op::EscG: case Op::Other: case Op::Unknown: case Op::Oversize:
    case Op::PaperStatus: case Op::TransmitStatus: case Op::PrinterId: case Op::MaintenanceCounter:
      return false;
    default:
      return true;
  }
}

std::string Renderer::apply(const Command& c) {
  if (c.op != Op::Text && decoder_.pending()) {  // a character cut short by a command
    std::vector<TextChar> rest;
    std::vector<char32_t> missing;
    decoder_.flush(rest);
    print(rest, missing);
  }
  switch (c.op) {
    case Op::Text: return text(c.data);
    case Op::KanjiOn: case Op::KanjiOff: case Op::KanjiCode: case Op::KanjiMode: case Op::KanjiUnderline:
    case Op::KanjiSpacing: case Op::KanjiQuad: case Op::KanjiDefine: case Op::KanjiCancel: case Op::KanjiFont:
    case Op::CharEncoding:
      return kanjiCommand(c);
    case Op::Init:
      reset();
      return "";
    case Op::Align: case Op::PrintMode: case Op::Underline: case Op::Emphasis: case Op::DoubleStrike:
    case Op::Font: case Op::CharSize: case Op::Reverse: case Op::PrintColor: case Op::CharColor:
    case Op::CodeTable: case Op::International: case Op::UpsideDown: case Op::Rotate90:
    case Op::RightSpacing:
      return styleCommand(c);
    case Op::BarCode: case Op::Symbol2D: case Op::HriPosition: case Op::HriFont: case Op::BarHeight:
    case Op::BarWidth: case Op::SymbolType: case Op::SymbolPrint:
      return codeCommand(c);
    case Op::RasterImage: case Op::BitImage: case Op::GraphicsStore: case Op::GraphicsPrint:
    case Op::NvGraphicsStore: case Op::NvGraphicsPrint: case Op::NvBitImageDefine: case Op::NvBitImagePrint:
      return imageCommand(c);
    case Op::PageMode: case Op::StandardMode: case Op::PageDirection: case Op::PageArea: case Op::PagePrint:
    case Op::FormFeed: case Op::Cancel:
      return pageCommand(c);
    default:
      return motionCommand(c);
  }
}

std::string Renderer::styleCommand(const Command& c) {
  int n = argAt(c, 0), d = digitArg(n);
  switch (c.op) {
    case Op::Align: align_ = std::clamp(d, 0, 2); break;
    case Op::PrintMode:
      style_.font = n & 1;
      style_.bold = n & 0x08;
      style_.doubleHeight = n & 0x10;
      style_.doubleWidth = n & 0x20;
      style_.underline = (n & 0x80) ? 1 : 0;
      style_.widthMul = style_.heightMul = 1;
      break;
    case Op::Underline: style_.underline = std::clamp(d, 0, 2); break;
    case Op::Emphasis: case Op::DoubleStrike: style_.bold = n & 1; break;
    case Op::Font: style_.font = d & 1; break;
    case Op::CharSize:
      style_.widthMul = ((n >> 4) & 7) + 1;
      style_.heightMul = (n & 7) + 1;
      style_.doubleWidth = style_.doubleHeight = false;
      break;
    case Op::Reverse: style_.reverse = n & 1; break;
    case Op::PrintColor: style_.colour = (d & 1) ? 2 : 1; break;
    case Op::CharColor: {
      int k = argAt(c, 1);
      style_.colour = k == '2' ? 2 : k == '3' ? 3 : 1;
      break;
    }
    case Op::CodeTable:
      style_.codeTable = n;
      if (!hasCodeTable(n)) return "code table " + std::to_string(n) + " not available: table 0 used";
      break;
    case Op::International: style_.international = n; break;
    case Op::UpsideDown: style_.upsideDown = n & 1; break;
    case Op::Rotate90: style_.rotate90 = d == 1 || d == 2; break;
    case Op::RightSpacing: style_.rightSpacing = n; break;
    default: break;
  }
  return "";
}

std::string Renderer::motionCommand(const Command& c) {
  int n = argAt(c, 0);
  switch (c.op) {
    case Op::LineFeed:
      paper_.addText("\n");
      printLine(std::max(lineSpacing_, 1));
      break;
    case Op::CarriageReturn: printLine(0); break;
    case Op::Tab: {
      int stop = fontMetrics(style_.font).width * 8;
      x_ = std::min((x_ / stop + 1) * stop, lineLength());
      break;
    }
    case Op::FeedUnits: printLine(n / 2, true); break;
    case Op::FeedLines: printLine(n * lineSpacing_, true); break;
    case Op::LineSpacing: lineSpacing_ = n / 2; break;
    case Op::DefaultLineSpacing: lineSpacing_ = 30; break;
    case Op::AbsolutePos: x_ = std::min(n | (argAt(c, 1) << 8), lineLength()); break;
    case Op::RelativePos: {
      int rel = std::int16_t(n | (argAt(c, 1) << 8));
      x_ = std::clamp(x_ + rel, 0, lineLength());
      break;
    }
    case Op::LeftMargin: leftMargin_ = std::min(n | (argAt(c, 1) << 8), paper_.width() - 1); break;
    case Op::AreaWidth: areaWidth_ = std::max(1, n | (argAt(c, 1) << 8)); break;
    case Op::Cut: {
      if (page_.active) return "ignored in page mode";
      if (!line_.empty()) printLine(lineSpacing_);
      // The feeding forms (GS V 65 n ...) bring the last line to the cutter
      // first; the others cut what has passed it and leave the rest.
      if (c.args.size() > 1) feed(cutterDistance_ + c.args[1] / 2);
      std::string path = paper_.cut(std::string(c.name) == "cut-partial", cutterDistance_);
      return path.empty() ? "receipt could not be written" : "receipt " + path;
    }
    default: break;
  }
  return "";
}

int Renderer::lineLength() const {
  if (page_.active) return page_.direction % 2 ? page_.h : page_.w;
  return std::max(1, std::min(areaWidth_, paper_.width() - leftMargin_));
}

void Renderer::add(Bitmap b, int advance) {
  if (x_ > 0 && x_ + b.w > lineLength()) printLine(std::max(lineSpacing_, 1));
  line_.push_back(Item{std::move(b), x_});
  x_ = std::min(x_ + advance, lineLength());
}

int Renderer::alignOffset(int used) const {
  int room = std::max(0, lineLength() - used);
  return align_ == 1 ? room / 2 : align_ == 2 ? room : 0;
}

void Renderer::printLine(int advance, bool atLeastPrinted) {
  int height = 0, used = 0;
  for (const Item& it : line_) {
    height = std::max(height, it.bmp.h);
    used = std::max(used, it.x + it.bmp.w);
  }
  if (!line_.empty()) {
    Bitmap line(lineLength(), height);
    int off = alignOffset(used);
    for (const Item& it : line_) line.blit(it.bmp, off + it.x, height - it.bmp.h);
    placeLine(line);
    printedHeight_ = std::max(printedHeight_, height);
  }
  line_.clear();
  x_ = 0;
  if (advance > 0 || (atLeastPrinted && printedHeight_ > 0)) {
    feed(std::max(advance, printedHeight_));
    printedHeight_ = 0;
  }
}

void Renderer::placeLine(const Bitmap& line) {
  if (page_.active) {
    int y = page_.cursor;
    switch (page_.direction) {
      case 0: page_.canvas.blit(line, 0, y); break;
      case 1: page_.canvas.blit(rotateCcw(line), y, 0); break;
      case 2: page_.canvas.blit(rotate180(line), 0, page_.h - y - line.h); break;
      case 3: page_.canvas.blit(rotateCw(line), page_.w - y - line.h, 0); break;
    }
    return;
  }
  paper_.place(style_.upsideDown ? rotate180(line) : line, leftMargin_);
}

void Renderer::feed(int dots) {
  if (page_.active) page_.cursor += std::max(dots, 0);
  else paper_.feed(dots);
}

void Renderer::printBlock(const Bitmap& b) {
  if (b.empty()) return;
  if (!line_.empty()) printLine(lineSpacing_);
  Bitmap line(lineLength(), b.h);
  line.blit(b, alignOffset(b.w), 0);
  placeLine(line);
  feed(b.h);
  printedHeight_ = 0;
}

}  // namespace vprinter
